#include "addressbook/VCardFile.h"

#include "addressbook/VCard.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

std::vector<ContactRecord> ReadVCardFile(const fs::path& path) {
  try {
    return ReadVCards(ReadRegularFile(path, kMaxVCardBytes));
  } catch (const Error& e) {
    throw Error(FormatMessage(u"%s を読み込めませんでした。", PathToWide(path.filename())) +
                u"\r\n" + e.Message());
  }
}

size_t ExportVCardFile(const AdBookStore& store, const std::vector<AnsiString>& ids,
                       const fs::path& path) {
  std::vector<ContactRecord> contacts;
  for (const AnsiString& id : ids)
    if (store.ContactExists(id)) contacts.push_back(store.ReadContact(id));
  ReplaceFileAtomically(path, WriteVCards(contacts),
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
  return contacts.size();
}

}  // namespace orvane
