#include "addressbook/SendListUnit.h"

#include <algorithm>
#include <string>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/ProfileText.h"
#include "settings/SettingKeys.h"

namespace orvane {

void TSendListForm::Refresh() {
  rowCount_ = std::max(2, static_cast<int>(list_.size()) + 1);
  std::array<size_t, 3> counts{};
  for (const TSendItem& item : list_)
    if (item.Kind >= 0 && item.Kind <= 2) ++counts[static_cast<size_t>(item.Kind)];
  static constexpr const char16_t* kPatterns[] = {u"To: %s 件", u"Cc: %s 件", u"Bcc: %s 件"};
  for (size_t kind = 0; kind < 3; ++kind)
    panels_[kind + 1] = FormatMessage(kPatterns[kind], Utf8ToWide(std::to_string(counts[kind])));
}

WideString TSendListForm::Cell(int row, int column) const {
  if (row == 0) return kHeaders.at(static_cast<size_t>(column));
  if (row < 1 || row > static_cast<int>(list_.size())) return {};
  const TSendItem& item = list_[static_cast<size_t>(row - 1)];
  switch (column) {
    case 0:
      return item.Kind >= 0 && item.Kind <= 2 ? kKinds[static_cast<size_t>(item.Kind)] : u"";
    case 1:
      return item.Name;
    default:
      return item.Address;
  }
}

TSendItem* TSendListForm::Entry(int row) {
  if (row < 1 || row > static_cast<int>(list_.size())) return nullptr;
  return &list_[static_cast<size_t>(row - 1)];
}

void TSendListForm::KindPicked(int row, int kind) {
  if (TSendItem* item = Entry(row); item && kind >= 0 && kind <= 2) item->Kind = kind;
}

void TSendListForm::NameEdited(int row, const WideString& text) {
  if (TSendItem* item = Entry(row)) item->Name = text;
}

void TSendListForm::AddressEdited(int row, const WideString& text) {
  if (TSendItem* item = Entry(row)) item->Address = text;
}

WindowGeometry TSendListForm::ReadGeometry(const IniFileUnit& settings, int screenWidth,
                                           int screenHeight) {
  WindowGeometry g;
  g.Width = settings.Read(keys::kSendListWidth);
  g.Height = settings.Read(keys::kSendListHeight);
  g.Top = settings.ReadGeneralInteger(keys::kSendListSection, keys::kSendListTopKey,
                                      screenHeight - g.Height);
  g.Left = settings.ReadGeneralInteger(keys::kSendListSection, keys::kSendListLeftKey,
                                       screenWidth - g.Width);
  return g;
}

void TSendListForm::WriteGeometry(const IniFileUnit& settings, const WindowGeometry& g) {
  settings.GeneralFile().Update([&](ProfileText& general) {
    general.Set(keys::kSendListSection, keys::kSendListTopKey, std::to_string(g.Top));
    general.Set(keys::kSendListSection, keys::kSendListLeftKey, std::to_string(g.Left));
    general.Set(keys::kSendListWidth.section, keys::kSendListWidth.key, std::to_string(g.Width));
    general.Set(keys::kSendListHeight.section, keys::kSendListHeight.key, std::to_string(g.Height));
  });
}

}  // namespace orvane
