#include "extras/XHead.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/ProfileBlock.h"

namespace orvane {

namespace {

bool Empty(const HeaderRow& row) {
  return row.name.empty() && row.value.empty();
}

std::vector<HeaderRow> WithoutEmptyRows(std::vector<HeaderRow> rows) {
  std::erase_if(rows, Empty);
  return rows;
}

// RFC 5322 section 3.6.8: a field name is printable US-ASCII except ":".
bool IsFieldName(const WideString& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(),
                                      [](char16_t c) { return c >= 33 && c <= 126 && c != u':'; });
}

}  // namespace

TXHForm::TXHForm(const IniFileUnit& settings, Prompt& prompt, AnsiString account)
    : settings_(settings), prompt_(prompt), account_(std::move(account)) {}

const WideString& TXHForm::Notice() {
  static const WideString notice =
      u"任意のヘッダフィールドを追加するのは危険を伴います。\r\n"
      u"充分な知識を持たない方は、この項目を設定しないでください。\r\n"
      u"設定を行う場合は、RFC の仕様に準拠してください。\r\n"
      u"また、RFC 標準フィールドの設定は極力、避けてください。";
  return notice;
}

std::vector<HeaderRow> TXHForm::Load() {
  loaded_.clear();
  const ProfileText profile = settings_.AccountFile(account_).Load();
  for (const AnsiString& line : ReadProfileBlock(profile, keys::kXHeaderSection)) {
    const WideString text = SjisToWide(line);
    const size_t equals = text.find(u'=');
    if (equals == WideString::npos)
      loaded_.push_back({text, {}});
    else
      loaded_.push_back({text.substr(0, equals), text.substr(equals + 1)});
  }
  loadedNotice_ = notice_ = settings_.ReadBool(account_, keys::kDeliveryNotice);
  if (loaded_.empty()) prompt_.Warn(Notice(), u"諸注意");
  return loaded_;
}

std::optional<WideString> TXHForm::RefuseName(const std::vector<HeaderRow>& rows, int row,
                                              const WideString& name) const {
  if (name.empty()) return std::nullopt;
  if (!IsFieldName(name) || name.find(u'=') != WideString::npos)
    return name + u" はフィールド名に使えません";
  for (int i = 0; i < static_cast<int>(rows.size()); ++i)
    if (i != row && SameAsciiText(rows[static_cast<size_t>(i)].name, name))
      return name + u" は既にあります";
  return std::nullopt;
}

HeaderClose TXHForm::CloseButton(const std::vector<HeaderRow>& rows) const {
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const HeaderRow& row = rows[static_cast<size_t>(i)];
    if (!row.name.empty() && row.value.empty()) {
      prompt_.ShowError(row.name + u" は 値がありません");
      return {false, i};
    }
    if (row.name.empty() && !row.value.empty()) {
      prompt_.ShowError(row.value + u" は フィールドがありません");
      return {false, i};
    }
  }
  AnsiString text;
  for (const HeaderRow& row : WithoutEmptyRows(rows)) {
    if (!text.empty()) text += "\r\n";
    text += WideToSjis(row.name + u"=" + row.value);
  }
  settings_.WriteAccountBlock(account_, keys::kXHeaderSection, text);
  if (notice_ != loadedNotice_)
    settings_.Write(account_, keys::kDeliveryNotice, notice_ ? kAccountTrue : "false");
  return {true, -1};
}

HeaderClose TXHForm::CloseBox(const std::vector<HeaderRow>& rows) const {
  if (WithoutEmptyRows(rows) == WithoutEmptyRows(loaded_) && notice_ == loadedNotice_)
    return {true, -1};
  switch (prompt_.Ask(u"更新されています。保存して閉じますか?", PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
      return CloseButton(rows);
    case PromptAnswer::No:
      return {true, -1};
    case PromptAnswer::Cancel:
      break;
  }
  return {false, -1};
}

}  // namespace orvane
