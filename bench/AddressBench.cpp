// The address book on a group of 10,000 contacts: loading the group's
// list, a search by reading over it, and importing a 10,000-card vCard
// file, each against its limit; before them, reading a crafted 10 MB vCard.
// The files are on the temporary folder's
// file system and then, where there is one, in memory (/dev/shm): creating
// 10,000 files is the file system's work, which the second run leaves out.
// Each row gives the median wall-clock time of several runs and the CPU
// time of one run (wall-clock exceeds CPU when other programs share the
// processors).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AddressSamples.h"
#include "Support.h"
#include "addressbook/AdBookStore.h"
#include "addressbook/ReadingSearch.h"
#include "addressbook/VCard.h"
#include "addressbook/VCardFile.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr size_t kContacts = 10000;
constexpr const char16_t* kGroup = u"アドレス帳";

// A crafted card of about 10 MB: a quoted-printable head folded over a
// million lines that each end in "=", then its value continued by 1.7
// million soft line breaks. Reading it is the same work however often the
// lines end in "=".
AnsiString HostileVCard() {
  AnsiString text = "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE;X-";
  for (int i = 0; i < 1000000; ++i) text += " a=\r\n";
  text += " :v=\r\n";
  for (int i = 0; i < 1700000; ++i) text += "=\r\n";
  return text + "x\r\nEND:VCARD\r\n";
}

void RunAll(const std::vector<ContactRecord>& contacts) {
  bench::TempFolder home;
  std::printf("%s\n", home.Path().parent_path().c_str());
  AdBookStore store(home / "Address");
  store.OpenStore();
  store.AddContacts(kGroup, contacts);

  std::vector<TMailItem> items;
  bench::MeasureAgainstLimit("LoadGroupItems, 10,000 contacts", 7, 150,
                             [&] { items = store.LoadGroupItems(kGroup); });
  bench::Require(items.size() == kContacts && items.back().Name == contacts.back().Name,
                 "LoadGroupItems read every contact");

  // No reading starts in the ら row: the search walks the whole list twice.
  std::optional<size_t> found = 0;
  bench::MeasureAgainstLimit("reading search over 10,000, no match", 21, 5,
                             [&] { found = FindByReading(items, kContacts / 2, ReadingRow::kRa); });
  bench::Require(!found, "the search finds no reading in the ら row");

  bench::WriteFile(home / "cards.vcf", WriteVCards(contacts));
  size_t imported = 0;
  int run = 0;
  // Each run into a fresh folder, removed with the others after the
  // measurement: removing 10,000 files is no part of an import.
  bench::MeasureAgainstLimit("import of a 10,000-card vCard 3.0 file", 3, 2000, [&] {
    AdBookStore target(home / ("import" + std::to_string(run++)) / "Address");
    target.OpenStore();
    imported = target.AddContacts(kGroup, ReadVCardFile(home / "cards.vcf")).size();
  });
  bench::Require(imported == kContacts, "the import took every card");
}

void ReadHostileVCard() {
  const AnsiString hostile = HostileVCard();
  std::vector<ContactRecord> read;
  bench::MeasureAgainstLimit("a crafted 10 MB vCard of lines ending in \"=\"", 3, 1000,
                             [&] { read = ReadVCards(hostile); });
  bench::Require(read.size() == 1 && read[0].Memo == u"vx", "the crafted card was read");
}

}  // namespace
}  // namespace orvane

int main() {
  std::vector<orvane::ContactRecord> contacts = orvane::bench::SampleContacts(orvane::kContacts);
  orvane::ReadHostileVCard();
  orvane::RunAll(contacts);
  if (std::filesystem::is_directory("/dev/shm")) {
    ::setenv("TMPDIR", "/dev/shm", 1);
    orvane::RunAll(contacts);
  }
  return 0;
}
