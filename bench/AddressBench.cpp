// The address book on a group of 10,000 contacts: loading the group's
// list, a search by reading over it, and importing a 10,000-card vCard
// file, each against its limit. The files are on the temporary folder's
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

// The median wall-clock time of the runs and the mean CPU time of one run,
// against the limit.
void Measure(const char* task, int runs, double limitMs, const std::function<void()>& run) {
  double cpu = bench::CpuSeconds();
  double wallMs = bench::MedianSeconds(run, runs) * 1e3;
  double cpuMs = (bench::CpuSeconds() - cpu) * 1e3 / runs;
  std::printf("  %-46s %9.2f ms  (CPU %8.2f ms, limit %5.0f ms)%s\n", task, wallMs, cpuMs, limitMs,
              wallMs <= limitMs ? "" : "  OVER");
}

// Contacts like the ones people keep: Japanese names with readings,
// addresses, telephones and a memo line.
std::vector<ContactRecord> SampleContacts() {
  const std::u16string families[] = {u"田中", u"佐藤", u"鈴木", u"高橋", u"伊藤", u"渡辺"};
  const std::u16string readings[] = {u"たなか",   u"さとう", u"すずき",
                                     u"たかはし", u"いとう", u"わたなべ"};
  std::vector<ContactRecord> contacts(kContacts);
  for (size_t i = 0; i < kContacts; ++i) {
    ContactRecord& c = contacts[i];
    std::u16string number = Utf8ToWide(std::to_string(i));
    c.Name = families[i % 6] + u" 太郎" + number;
    c.Kana = readings[i % 6] + u"　たろう";
    c.Address = u"user" + number + u"@example.jp";
    c.Mark = static_cast<int>(i % 11);
    c.Birth = u"1980/03/01";
    c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ" + number, u"渋谷"};
    c.Company = u"オルヴェイン商事";
    c.Phones[0] = u"(   03)-1234-5678";
    c.Phones[2] = u" 090-1234-5678";
    c.Memo = u"メモ " + number;
  }
  return contacts;
}

void RunAll(const std::vector<ContactRecord>& contacts) {
  bench::TempFolder home;
  std::printf("%s\n", home.Path().parent_path().c_str());
  AdBookStore store(home / "Address");
  store.OpenStore();
  store.AddContacts(kGroup, contacts);

  std::vector<TMailItem> items;
  Measure("LoadGroupItems, 10,000 contacts", 7, 150, [&] { items = store.LoadGroupItems(kGroup); });
  bench::Require(items.size() == kContacts && items.back().Name == contacts.back().Name,
                 "LoadGroupItems read every contact");

  // No reading starts in the ら row: the search walks the whole list twice.
  std::optional<size_t> found = 0;
  Measure("reading search over 10,000, no match", 21, 5,
          [&] { found = FindByReading(items, kContacts / 2, ReadingRow::kRa); });
  bench::Require(!found, "the search finds no reading in the ら row");

  bench::WriteFile(home / "cards.vcf", WriteVCards(contacts));
  size_t imported = 0;
  Measure("import of a 10,000-card vCard 3.0 file", 3, 2000, [&] {
    bench::TempFolder fresh;
    AdBookStore target(fresh / "Address");
    target.OpenStore();
    imported = ImportVCardFile(target, kGroup, home / "cards.vcf");
  });
  bench::Require(imported == kContacts, "the import took every card");
}

}  // namespace
}  // namespace orvane

int main() {
  std::vector<orvane::ContactRecord> contacts = orvane::SampleContacts();
  orvane::RunAll(contacts);
  if (std::filesystem::is_directory("/dev/shm")) {
    ::setenv("TMPDIR", "/dev/shm", 1);
    orvane::RunAll(contacts);
  }
  return 0;
}
