#pragma once

#include <filesystem>
#include <optional>

#include "addressbook/BookBrowser.h"
#include "platform/Clipboard.h"
#include "platform/Prompt.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Opens the contact editor on a contact (an empty id for a new one) and
// returns the contact's id when it was saved, nullopt when not.
class ContactEditor {
 public:
  virtual ~ContactEditor() = default;
  virtual std::optional<AnsiString> EditContact(const AnsiString& id) = 0;
};

// Which entries of the contact menu are enabled.
struct ContactMenuState {
  bool edit = false;  // アドレス編集, アドレス削除, アドレス複写 and the clipboard entries
  bool up = false;
  bool down = false;
  bool operator==(const ContactMenuState&) const = default;
};

// The address book editor "アドレス帳編集": groups are added, renamed, moved
// and deleted, contacts added, edited, copied, moved, reordered and deleted,
// each change stored at once; the group tree is written when the window
// closes. Questions and failures go through the prompt.
class TBookForm {
 public:
  static constexpr int kHelpTopic = 14;

  TBookForm(const IniFileUnit& settings, Clipboard& clipboard, Prompt& prompt,
            ContactEditor& editor);

  BookBrowser& Browser() { return browser_; }
  const BookBrowser& Browser() const { return browser_; }

  void Open() { browser_.Open(); }
  // Writes View Visible, AddBook Style and the tree file (not when the
  // store could not be opened).
  void Close();

  // --- グループ(&G) ---
  // グループ追加: the name asked for becomes the last child of the selected
  // group (the last top-level group without one); returns it.
  std::optional<WideString> AddGroup(const std::optional<WideString>& selected);
  // グループ名変更 of the selected group; returns the new name.
  std::optional<WideString> RenameGroup(const WideString& group);
  // グループ削除 of the selected group; true when it left the tree.
  bool DeleteGroup(const WideString& group);
  // A group dropped on another group; false when nothing moved.
  bool DropGroup(const WideString& group, const WideString& target);
  // Contacts dropped on a group: moved there, and that group is shown.
  void DropContacts(const ListSelection& selection, const WideString& target);

  // --- アドレス(&A) ---
  ContactMenuState ContactMenu(const ListSelection& selection) const;
  // アドレス追加: a new contact into the shown group; false when none was
  // saved.
  bool AddContact();
  // アドレス編集 of the first selected contact.
  bool EditContact(const ListSelection& selection);
  void CopyContacts(const ListSelection& selection);
  void DeleteContacts(const ListSelection& selection);
  // 上へ移動 / 下へ移動: the row the contact moved to, nullopt when it did
  // not move.
  std::optional<size_t> MoveUp(const ListSelection& selection);
  std::optional<size_t> MoveDown(const ListSelection& selection);
  // vCardを読み込む: every card of the file becomes a new contact of the
  // shown group; a file that is no vCard is told and changes nothing. When
  // contacts hold characters the contact files cannot (Shift_JIS), the
  // user is shown which contacts and fields would keep "?" instead, and
  // "No" imports nothing.
  void ImportVCard(const std::filesystem::path& file);
  // vCardに書き出す: the selected contacts into the file (vCard 3.0).
  void ExportVCard(const ListSelection& selection, const std::filesystem::path& file);

 private:
  std::optional<WideString> AskGroupName(const WideString& preset);
  bool NameTaken(const WideString& name);
  std::optional<size_t> Swap(const ListSelection& selection, bool up);

  BookBrowser browser_;
  Prompt& prompt_;
  ContactEditor& editor_;
};

}  // namespace orvane
