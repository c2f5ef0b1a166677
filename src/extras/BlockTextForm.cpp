#include "extras/BlockTextForm.h"

#include <string>

#include "platform/CodePage.h"
#include "settings/ProfileBlock.h"

namespace orvane {

TBlockTextForm::TBlockTextForm(const IniFileUnit& settings, const Clock& clock, Prompt& prompt,
                               AnsiString account, const BlockTextKind& kind)
    : settings_(settings),
      clock_(clock),
      prompt_(prompt),
      account_(std::move(account)),
      kind_(kind) {}

WideString TBlockTextForm::Load() {
  const ProfileText profile = settings_.AccountFile(account_).Load();
  for (size_t i = 0; i < formats_.size(); ++i)
    formats_[i] = SjisToWide(profile.Find(kind_.section, keys::kDateTimeKeys[i]).value_or(""));
  previewShowing_ = false;
  preview_.clear();
  return SjisToWide(JoinTextLines(ReadProfileBlock(profile, kind_.section)));
}

void TBlockTextForm::Preview(const WideString& editorText) {
  preview_ = ExpandMacros(settings_, clock_, account_, editorText, kind_.macroMode);
}

void TBlockTextForm::TogglePreview(const WideString& editorText) {
  previewShowing_ = !previewShowing_;
  if (previewShowing_)
    Preview(editorText);
  else
    preview_.clear();
}

WideString TBlockTextForm::PreviewHint() const {
  return previewShowing_ ? u"編集モードへ" : u"プレビュー";
}

WideString TBlockTextForm::PreviewSizeText() const {
  if (!previewShowing_) return {};
  return Utf8ToWide(std::to_string(WideToSjis(preview_).size()) + " byte");
}

WideString TBlockTextForm::CaretText(int line, int column) {
  return Utf8ToWide(std::to_string(line + 1) + " : " + std::to_string(column + 1));
}

bool TBlockTextForm::AskDateFormat(int index, const WideString& editorText) {
  auto& format = formats_.at(static_cast<size_t>(index));
  const auto entered = prompt_.Input(u"Orvane", u"日付と時間の書式を設定", format);
  if (!entered) return false;
  settings_.WriteAccountValue(account_, kind_.section, keys::kDateTimeKeys[index],
                              WideToSjis(*entered));
  format = *entered;
  if (previewShowing_) Preview(editorText);
  return true;
}

bool TBlockTextForm::Close(bool modified, const WideString& editorText) {
  if (!modified) return true;
  switch (prompt_.Ask(u"更新されています。保存して閉じますか?", PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
      Save(editorText);
      return true;
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Cancel:
      break;
  }
  return false;
}

void TBlockTextForm::Save(const WideString& text) const {
  std::vector<std::pair<AnsiString, AnsiString>> formats;
  for (size_t i = 0; i < formats_.size(); ++i)
    formats.emplace_back(keys::kDateTimeKeys[i], WideToSjis(formats_[i]));
  settings_.WriteAccountBlock(account_, kind_.section, WideToSjis(text), formats);
}

}  // namespace orvane
