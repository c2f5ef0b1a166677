#include "addressbook/Address.h"

namespace orvane {

TAddForm::TAddForm(const IniFileUnit& settings, Clipboard& clipboard,
                   std::vector<TSendItem>& sendList)
    : browser_(settings, clipboard), sendList_(sendList), sendListForm_(sendList) {}

void TAddForm::Open() {
  browser_.Open();
  sendListForm_.Refresh();
}

void TAddForm::Close(const WindowGeometry& sendListWindow) const {
  browser_.SaveView(false);
  TSendListForm::WriteGeometry(browser_.Settings(), sendListWindow);
}

PickerMenuState TAddForm::Menu(const ListSelection& selection) const {
  return {!selection.empty(), !sendList_.empty()};
}

void TAddForm::AddToSendList(const ListSelection& selection) {
  const std::vector<TMailItem>& items = browser_.Items();
  for (size_t row : selection)
    if (row < items.size())
      sendList_.push_back({items[row].Name, items[row].Address, TSendItem::kTo});
  sendListForm_.Refresh();
}

void TAddForm::RemoveFromSendList(int gridRow) {
  if (gridRow >= 1 && gridRow <= static_cast<int>(sendList_.size()))
    sendList_.erase(sendList_.begin() + (gridRow - 1));
  sendListForm_.Refresh();
}

}  // namespace orvane
