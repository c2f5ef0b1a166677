#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "addressbook/ContactRecord.h"
#include "addressbook/GroupTree.h"
#include "addressbook/MailItem.h"
#include "platform/Types.h"
#include "settings/ProfileText.h"

namespace orvane {

// A favourite of the main window's favourites menu: the contact of line
// Tag of the favourites group.
struct Favourite {
  int Tag = 0;
  WideString Name;
  WideString Address;
};

// The address book's files in the address folder: one contact file per
// contact id ("0001.adr", an ini file), one group file per group (the
// group's name followed by ".dat", one contact id per line) and the tree
// file "Address.dat". Nothing is cached: every call reads the files afresh
// and every change is written at once. Group files and the tree file are
// written beside the old file and renamed over it, so a failed write leaves
// the old file.
//
// Group names are passed without ".dat". A line of a group file that is not
// a contact id (IsContactId) stays in its group file but names no contact
// file: it reads as an empty row and is never opened, copied or deleted.
// File failures throw FileError unless said otherwise; so does a file of
// the folder that is not a regular file (a device, a pipe) or is larger
// than an ini file may be, naming it. Every write replaces a symbolic link
// by the file, never its target.
class AdBookStore {
 public:
  explicit AdBookStore(std::filesystem::path addressFolder);

  const std::filesystem::path& Folder() const { return folder_; }

  // Opens the store as the address book windows do each time they are
  // shown: creates the folder, the files of "お気に入り", "一時保存",
  // "アドレス帳" and the tree file when missing, and returns the tree with
  // "アドレス帳" when the tree file names no group, then "お気に入り" and
  // "一時保存" at the top level.
  GroupTree OpenStore() const;

  // Whether a group of that name has a file; false for a name that cannot
  // be a group's.
  bool GroupExists(const WideString& group) const;
  // Creates the group's file empty when it does not exist. A name that
  // cannot be a group's (IsStorableGroupName), or a file that cannot be
  // created, throws Error "グループの作成に失敗しました".
  void EnsureGroupFile(const WideString& group) const;
  // Renames the group's file; the new name must be free. A name that cannot
  // be a group's, a taken name or a failed rename throws Error
  // "変更に失敗しました" and changes nothing.
  void RenameGroup(const WideString& from, const WideString& to) const;
  // Appends the group's lines to "一時保存" and deletes the group's file;
  // returns whether the file is gone. "一時保存" itself is never deleted.
  bool DeleteGroup(const WideString& group) const;

  GroupTree LoadGroupTree() const;
  void SaveGroupTree(const GroupTree& tree) const;

  // The smallest number n >= 0, written with at least four digits, whose
  // contact file does not exist.
  AnsiString NewContactId() const;

  // EnsureGroupFile, then one item per non-empty line in order; a line
  // without a contact file gives an item with empty texts and Mark -1.
  std::vector<TMailItem> LoadGroupItems(const WideString& group) const;
  // Rewrites the group file with the items' ids in their order.
  void SaveGroupOrder(const WideString& group, const std::vector<TMailItem>& items) const;
  void AddToGroup(const WideString& group, const AnsiString& id) const;
  // Removes the first line equal to the id (ASCII case ignored); a group
  // without it is left unchanged.
  void RemoveFromGroup(const WideString& group, const AnsiString& id) const;
  // Adds the id to the target group, then removes it from the source: a
  // failed write leaves the contact in one of them at least.
  void MoveContact(const WideString& from, const WideString& to, const AnsiString& id) const;
  // Deletes the contact file and removes the id from the group; false,
  // changing nothing, when the file is missing or cannot be deleted.
  bool DeleteContact(const WideString& group, const AnsiString& id) const;
  // Copies the contact file to a new id's file (never over an existing
  // file) and appends the new id to the group; false when it fails, and
  // then no copy is left.
  bool CopyContact(const WideString& group, const AnsiString& id) const;

  // Whether the id names an existing contact file.
  bool ContactExists(const AnsiString& id) const;
  // Every value of the contact, read whole; a missing file (or an id that
  // names no file) reads as the defaults.
  ContactRecord ReadContact(const AnsiString& id) const;
  // Writes every value into the contact file in one replacement. An id
  // that names no file throws Error.
  void WriteContact(const AnsiString& id, const ContactRecord& contact) const;
  // Writes each contact to a new id's file, then appends the new ids to the
  // group in one write; returns the ids. A failure removes the files it
  // wrote and leaves the group as it was.
  std::vector<AnsiString> AddContacts(const WideString& group,
                                      const std::vector<ContactRecord>& contacts) const;

  // The address of every contact file of the folder, whichever groups name
  // it, in the order of the ids; contacts without an address give none.
  std::vector<WideString> ContactAddresses() const;

  // The favourites menu's entries: for each line i of the favourites group
  // whose contact file exists, its name and address with tag i. nullopt
  // when the favourites group has no file.
  std::optional<std::vector<Favourite>> LoadFavourites() const;

 private:
  std::filesystem::path GroupPath(const WideString& group) const;
  std::filesystem::path ContactPath(const AnsiString& id) const;
  std::vector<AnsiString> ReadGroupLines(const WideString& group) const;
  // The contact file's text; empty for a missing file or an id that names
  // none.
  ProfileText ContactText(const AnsiString& id) const;
  void WriteGroupLines(const WideString& group, const std::vector<AnsiString>& lines) const;

  std::filesystem::path folder_;
};

}  // namespace orvane
