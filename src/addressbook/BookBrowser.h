#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

#include "addressbook/AdBookStore.h"
#include "addressbook/ReadingSearch.h"
#include "platform/Clipboard.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The rows of the contact list that are selected, in list order.
using ListSelection = std::vector<size_t>;

// The contact list's view styles, as AddBook Style stores them.
enum class ListStyle { kLargeIcons = 0, kSmallIcons = 1, kList = 2, kDetails = 3 };

// The preview panel's content for the selected contact.
struct ContactPreview {
  WideString Name;
  WideString Address;
  // The contact's picture; empty when it names no existing file.
  std::filesystem::path Image;
  bool operator==(const ContactPreview&) const = default;
};

// The selection after a search by reading: the match is selected and
// focused, the first of the previous selection no longer selected.
struct SearchResult {
  ListSelection Selection;
  size_t Focus = 0;
  bool operator==(const SearchResult&) const = default;
};

// What the address book editor and the recipient picker share: the group
// tree, the contacts of the selected group, the count in the status bar,
// the search by reading, the view style and preview, and the two clipboard
// entries. Every group is read afresh from its file when it is selected.
class BookBrowser {
 public:
  BookBrowser(const IniFileUnit& settings, Clipboard& clipboard);

  // Opens the store (folder and built-in groups) and reads the view style
  // and whether the preview shows. No group is selected.
  void Open();
  // Whether the store was opened and the tree read: a window whose store
  // could not be opened writes no tree over the one on disk.
  bool Opened() const { return opened_; }

  const AdBookStore& Store() const { return store_; }
  const IniFileUnit& Settings() const { return settings_; }
  const GroupTree& Tree() const { return tree_; }
  GroupTree& Tree() { return tree_; }

  // Shows the contacts of the group (read from its file).
  void SelectGroup(const WideString& group);
  // No group shown: the list is empty.
  void ClearGroup();
  // Reads the shown group again.
  void Reload();
  // The group whose contacts are shown; nullopt when none is.
  const std::optional<WideString>& CurrentGroup() const { return group_; }
  // The shown group's file name: its name followed by ".dat".
  WideString CurrentGroupFile() const;
  // After the shown group was renamed.
  void GroupRenamed(const WideString& name) { group_ = name; }

  const std::vector<TMailItem>& Items() const { return items_; }
  std::vector<TMailItem>& Items() { return items_; }
  // The status bar's count: "登録: %d 件".
  WideString CountText() const;

  ListStyle Style() const { return style_; }
  void SetStyle(ListStyle style) { style_ = style; }
  bool PreviewVisible() const { return previewVisible_; }
  void SetPreviewVisible(bool visible) { previewVisible_ = visible; }

  // The preview of the contact of that row; empty for no row.
  ContactPreview Preview(std::optional<size_t> row) const;

  // The next contact whose reading starts in the row, searched after the
  // first selected one and then once more from the top; nullopt (nothing
  // changes) without a match.
  std::optional<SearchResult> Search(ReadingRow row, const ListSelection& selection) const;

  // Emailをクリップボードへコピー: each selected address followed by CR.
  void CopyAddresses(const ListSelection& selection) const;
  // 名前+Emailをクリップボードへコピー: name, " <", address, ">", CR each.
  void CopyNamesAndAddresses(const ListSelection& selection) const;

  // Writes View Visible; with the style too when the window stores it.
  void SaveView(bool withStyle) const;

 private:
  const IniFileUnit& settings_;
  Clipboard& clipboard_;
  AdBookStore store_;
  GroupTree tree_;
  std::optional<WideString> group_;
  std::vector<TMailItem> items_;
  ListStyle style_ = ListStyle::kDetails;
  bool previewVisible_ = true;
  bool opened_ = false;
};

}  // namespace orvane
