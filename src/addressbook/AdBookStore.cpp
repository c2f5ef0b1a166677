#include "addressbook/AdBookStore.h"

#include <cstdio>
#include <future>
#include <set>
#include <thread>

#include "addressbook/ContactFile.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/OpenFolder.h"
#include "platform/Path.h"
#include "settings/IniFile.h"
#include "settings/ProfileBlock.h"
#include "settings/SettingKeys.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr const char16_t* kCannotCreateGroup = u"グループの作成に失敗しました";
constexpr const char16_t* kCannotRename = u"変更に失敗しました";
constexpr const char16_t* kNotAContactId = u"%s はアドレスの番号ではありません";

AnsiString FormatId(unsigned number) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4u", number);
  return text;
}

AnsiString JoinLines(const std::vector<AnsiString>& lines) {
  AnsiString bytes;
  for (const AnsiString& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A file of the folder: a missing one reads as empty; anything else must
// be a regular file of an ini file's size, or FileError names it.
AnsiString ReadStoreFile(const fs::path& path) {
  return ReadRegularFileIfAny(path, IniFile::kMaxFileBytes).value_or(AnsiString());
}

void EnsureFile(const fs::path& path) {
  try {
    if (!FileExists(path)) WriteNewFile(path, "");
  } catch (const FileError&) {
    throw Error(kCannotCreateGroup);
  }
  if (!FileExists(path)) throw Error(kCannotCreateGroup);
}

}  // namespace

AdBookStore::AdBookStore(fs::path addressFolder) : folder_(std::move(addressFolder)) {}

fs::path AdBookStore::GroupPath(const WideString& group) const {
  if (!IsStorableGroupName(group)) throw Error(kCannotCreateGroup);
  return folder_ / WideToPath(group + Utf8ToWide(kGroupFileExtension));
}

fs::path AdBookStore::ContactPath(const AnsiString& id) const {
  return folder_ / (id + kContactFileExtension);
}

std::vector<AnsiString> AdBookStore::ReadGroupLines(const WideString& group) const {
  return SplitTextLines(ReadStoreFile(GroupPath(group)));
}

ProfileText AdBookStore::ContactText(const AnsiString& id) const {
  if (!IsContactId(id)) return ProfileText();
  return ProfileText(ReadStoreFile(ContactPath(id)));
}

void AdBookStore::WriteGroupLines(const WideString& group,
                                  const std::vector<AnsiString>& lines) const {
  ReplaceFileAtomically(GroupPath(group), JoinLines(lines), kPrivateFilePerms);
}

GroupTree AdBookStore::OpenStore() const {
  CreateFolder(folder_);
  EnsureGroupFile(kFavouritesGroup);
  EnsureGroupFile(kTemporaryGroup);
  EnsureFile(folder_ / kGroupTreeFileName);
  EnsureGroupFile(kAddressBookGroup);
  GroupTree tree = LoadGroupTree();
  if (tree.empty()) tree.push_back({kAddressBookGroup, {}});
  tree.push_back({kFavouritesGroup, {}});
  tree.push_back({kTemporaryGroup, {}});
  return tree;
}

bool AdBookStore::GroupExists(const WideString& group) const {
  return IsStorableGroupName(group) && FileExists(GroupPath(group));
}

void AdBookStore::EnsureGroupFile(const WideString& group) const {
  EnsureFile(GroupPath(group));
}

void AdBookStore::RenameGroup(const WideString& from, const WideString& to) const {
  if (!IsStorableGroupName(from) || !IsStorableGroupName(to) ||
      !RenameFile(GroupPath(from), GroupPath(to)))
    throw Error(kCannotRename);
}

bool AdBookStore::DeleteGroup(const WideString& group) const {
  if (group == kTemporaryGroup) return false;
  fs::path path = GroupPath(group);
  EnsureGroupFile(kTemporaryGroup);
  std::vector<AnsiString> kept = ReadGroupLines(kTemporaryGroup);
  for (AnsiString& line : ReadGroupLines(group)) kept.push_back(std::move(line));
  WriteGroupLines(kTemporaryGroup, kept);
  RemoveFile(path);
  return !FileExists(path);
}

GroupTree AdBookStore::LoadGroupTree() const {
  return ParseGroupTree(ReadStoreFile(folder_ / kGroupTreeFileName));
}

void AdBookStore::SaveGroupTree(const GroupTree& tree) const {
  ReplaceFileAtomically(folder_ / kGroupTreeFileName, FormatGroupTree(tree), kPrivateFilePerms);
}

AnsiString AdBookStore::NewContactId() const {
  for (unsigned n = 0;; ++n) {
    AnsiString id = FormatId(n);
    std::error_code ec;
    if (!fs::exists(ContactPath(id), ec)) return id;
  }
}

std::vector<TMailItem> AdBookStore::LoadGroupItems(const WideString& group) const {
  EnsureGroupFile(group);
  std::vector<AnsiString> ids = ReadGroupLines(group);
  std::erase(ids, AnsiString());
  std::vector<TMailItem> items(ids.size());
  auto load = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) items[i] = MailItemFromProfile(ContactText(ids[i]), ids[i]);
  };
  // A large group is thousands of small files, and reading them is mostly
  // waiting for the system: the second half is read beside the first.
  constexpr size_t kReadInTwoFrom = 1000;
  const size_t half = ids.size() / 2;
  if (ids.size() < kReadInTwoFrom || std::thread::hardware_concurrency() < 2) {
    load(0, ids.size());
  } else {
    std::future<void> second = std::async(std::launch::async, load, half, ids.size());
    load(0, half);
    second.get();
  }
  return items;
}

void AdBookStore::SaveGroupOrder(const WideString& group,
                                 const std::vector<TMailItem>& items) const {
  std::vector<AnsiString> lines;
  lines.reserve(items.size());
  for (const TMailItem& item : items) lines.push_back(item.Id);
  WriteGroupLines(group, lines);
}

void AdBookStore::AddToGroup(const WideString& group, const AnsiString& id) const {
  std::vector<AnsiString> lines = ReadGroupLines(group);
  lines.push_back(id);
  WriteGroupLines(group, lines);
}

void AdBookStore::RemoveFromGroup(const WideString& group, const AnsiString& id) const {
  std::vector<AnsiString> lines = ReadGroupLines(group);
  for (auto it = lines.begin(); it != lines.end(); ++it) {
    if (SameAsciiText(*it, id)) {
      lines.erase(it);
      WriteGroupLines(group, lines);
      return;
    }
  }
}

void AdBookStore::MoveContact(const WideString& from, const WideString& to,
                              const AnsiString& id) const {
  // Added first, so that a failed write leaves the contact in a group. In
  // its own group the first line goes: the contact moves to the end.
  AddToGroup(to, id);
  RemoveFromGroup(from, id);
}

bool AdBookStore::DeleteContact(const WideString& group, const AnsiString& id) const {
  if (!IsContactId(id)) return false;
  fs::path path = ContactPath(id);
  if (!FileExists(path) || !RemoveFile(path)) return false;
  RemoveFromGroup(group, id);
  return true;
}

bool AdBookStore::CopyContact(const WideString& group, const AnsiString& id) const {
  if (!IsContactId(id)) return false;
  try {
    AnsiString bytes = ReadWholeFile(ContactPath(id));
    AnsiString copy = NewContactId();
    if (!WriteNewFile(ContactPath(copy), bytes)) return false;
    try {
      AddToGroup(group, copy);
    } catch (const FileError&) {
      // A copy that no group names would never be seen again.
      RemoveFile(ContactPath(copy));
      return false;
    }
    return true;
  } catch (const FileError&) {
    return false;
  }
}

bool AdBookStore::ContactExists(const AnsiString& id) const {
  return IsContactId(id) && FileExists(ContactPath(id));
}

std::vector<WideString> AdBookStore::ContactAddresses() const {
  std::vector<WideString> addresses;
  for (const DirEntry& entry : ListDirectory(folder_, std::string("*") + kContactFileExtension)) {
    const AnsiString id = entry.path.stem().native();
    if (!entry.IsPlainFile() || !IsContactId(id)) continue;
    TMailItem item = MailItemFromProfile(ProfileText(ReadWholeFile(entry.path)), id);
    if (!item.Address.empty()) addresses.push_back(std::move(item.Address));
  }
  return addresses;
}

ContactRecord AdBookStore::ReadContact(const AnsiString& id) const {
  return ContactFromProfile(ContactText(id));
}

void AdBookStore::WriteContact(const AnsiString& id, const ContactRecord& contact) const {
  if (!IsContactId(id)) throw Error(FormatMessage(kNotAContactId, SjisToWide(id)));
  IniFile(ContactPath(id), IniFile::Kind::kFolderFile).Update([&](ProfileText& profile) {
    ContactToProfile(profile, contact);
  });
}

std::vector<AnsiString> AdBookStore::AddContacts(const WideString& group,
                                                 const std::vector<ContactRecord>& contacts) const {
  fs::path groupPath = GroupPath(group);
  // An import writes thousands of files: each is one openat, write and
  // close in the open folder.
  const OpenFolder folder(folder_);
  std::set<AnsiString> taken;
  for (std::string& name : folder.Names()) taken.insert(std::move(name));

  std::vector<AnsiString> ids;
  try {
    unsigned next = 0;
    for (const ContactRecord& contact : contacts) {
      ProfileText profile;
      ContactToProfile(profile, contact);
      AnsiString bytes = profile.Bytes();
      for (;; ++next) {
        AnsiString id = FormatId(next);
        const AnsiString name = id + kContactFileExtension;
        if (taken.count(name) || !folder.WriteNewFile(name, bytes)) continue;
        ids.push_back(id);
        ++next;
        break;
      }
    }
    // The contact files reach the disk before the group names them.
    folder.Sync();
    std::vector<AnsiString> lines = ReadGroupLines(group);
    lines.insert(lines.end(), ids.begin(), ids.end());
    ReplaceFileAtomically(groupPath, JoinLines(lines), kPrivateFilePerms);
  } catch (...) {
    for (const AnsiString& id : ids) folder.RemoveFile(id + kContactFileExtension);
    throw;
  }
  return ids;
}

std::optional<std::vector<Favourite>> AdBookStore::LoadFavourites() const {
  if (!FileExists(GroupPath(kFavouritesGroup))) return std::nullopt;
  std::vector<Favourite> favourites;
  std::vector<AnsiString> lines = ReadGroupLines(kFavouritesGroup);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!IsContactId(lines[i]) || !FileExists(ContactPath(lines[i]))) continue;
    TMailItem item = MailItemFromProfile(ContactText(lines[i]), lines[i]);
    favourites.push_back({static_cast<int>(i), item.Name, item.Address});
  }
  return favourites;
}

}  // namespace orvane
