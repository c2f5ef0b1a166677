#pragma once

#include <vector>

#include "addressbook/BookBrowser.h"
#include "addressbook/SendItem.h"
#include "addressbook/SendListUnit.h"
#include "platform/Clipboard.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Which entries of the picker's contact menu are enabled.
struct PickerMenuState {
  bool add = false;     // 送信リストに追加 and the clipboard entries
  bool remove = false;  // 送信リストから除外
  bool operator==(const PickerMenuState&) const = default;
};

// The recipient picker "アドレス帳": a read-only view of the address book
// (groups, contacts, preview, search by reading) whose contacts are added
// to the send list, which the send list window beside it shows and edits.
// The list belongs to the caller, who fills it before and reads it after.
class TAddForm {
 public:
  static constexpr int kHelpTopic = 24;

  TAddForm(const IniFileUnit& settings, Clipboard& clipboard, std::vector<TSendItem>& sendList);

  BookBrowser& Browser() { return browser_; }
  const BookBrowser& Browser() const { return browser_; }
  TSendListForm& SendList() { return sendListForm_; }

  // Opens the store and shows the send list as it is.
  void Open();
  // Writes View Visible and the send list window's place; the style is
  // the editor's to store.
  void Close(const WindowGeometry& sendListWindow) const;

  PickerMenuState Menu(const ListSelection& selection) const;
  // 送信リストに追加: each selected contact as a To entry, in list order.
  void AddToSendList(const ListSelection& selection);
  // 送信リストから除外: the entry of the grid's row (row r holds entry r - 1);
  // a row without one removes nothing.
  void RemoveFromSendList(int gridRow);

 private:
  BookBrowser browser_;
  std::vector<TSendItem>& sendList_;
  TSendListForm sendListForm_;
};

}  // namespace orvane
