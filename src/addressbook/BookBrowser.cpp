#include "addressbook/BookBrowser.h"

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "settings/SettingKeys.h"

namespace orvane {

BookBrowser::BookBrowser(const IniFileUnit& settings, Clipboard& clipboard)
    : settings_(settings), clipboard_(clipboard), store_(settings.AddressFolder()) {}

void BookBrowser::Open() {
  const int style = settings_.Read(keys::kAddBookStyle);
  style_ = style >= 0 && style <= 3 ? static_cast<ListStyle>(style) : ListStyle::kDetails;
  previewVisible_ = settings_.Read(keys::kViewVisible);
  tree_ = store_.OpenStore();
  opened_ = true;
}

void BookBrowser::SelectGroup(const WideString& group) {
  // The list is emptied first: a group that cannot be read shows nothing
  // rather than the contacts of the group selected before.
  ClearGroup();
  group_ = group;
  items_ = store_.LoadGroupItems(group);
}

void BookBrowser::ClearGroup() {
  group_.reset();
  items_.clear();
}

void BookBrowser::Reload() {
  if (group_) SelectGroup(*group_);
}

WideString BookBrowser::CurrentGroupFile() const {
  return group_ ? *group_ + Utf8ToWide(kGroupFileExtension) : WideString();
}

WideString BookBrowser::CountText() const {
  return FormatMessage(u"登録: %s 件", Utf8ToWide(std::to_string(items_.size())));
}

ContactPreview BookBrowser::Preview(std::optional<size_t> row) const {
  if (!row || *row >= items_.size()) return {};
  const TMailItem& item = items_[*row];
  ContactPreview preview{item.Name, item.Address, {}};
  if (!item.Image.empty() && FileExists(WideToPath(item.Image)))
    preview.Image = WideToPath(item.Image);
  return preview;
}

std::optional<SearchResult> BookBrowser::Search(ReadingRow row,
                                                const ListSelection& selection) const {
  std::optional<size_t> first;
  if (!selection.empty()) first = selection.front();
  const std::optional<size_t> match = FindByReading(items_, first, row);
  if (!match) return std::nullopt;
  SearchResult result;
  for (size_t index : selection)
    if (index != selection.front() && index != *match) result.Selection.push_back(index);
  auto at = result.Selection.begin();
  while (at != result.Selection.end() && *at < *match) ++at;
  result.Selection.insert(at, *match);
  result.Focus = *match;
  return result;
}

void BookBrowser::CopyAddresses(const ListSelection& selection) const {
  WideString text;
  for (size_t index : selection)
    if (index < items_.size()) text += items_[index].Address + u"\r";
  clipboard_.SetText(text);
}

void BookBrowser::CopyNamesAndAddresses(const ListSelection& selection) const {
  WideString text;
  for (size_t index : selection) {
    if (index >= items_.size()) continue;
    text += items_[index].Name + u" <" + items_[index].Address + u">\r";
  }
  clipboard_.SetText(text);
}

void BookBrowser::SaveView(bool withStyle) const {
  settings_.Write(keys::kViewVisible, previewVisible_);
  if (withStyle) settings_.Write(keys::kAddBookStyle, static_cast<int>(style_));
}

}  // namespace orvane
