#include "app/ToolBarCustmUnit.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/ToolBarSettings.h"
#include "platform/CodePage.h"

namespace orvane {

TToolBarCustmForm::TToolBarCustmForm(const IniFileUnit& settings) : settings_(settings) {}

const std::vector<WideString>& TToolBarCustmForm::ItemNames() {
  static const std::vector<WideString> names{u"[区切り線]",
                                             u"アカウントの設定",
                                             u"エンコードの設定",
                                             u"警告の設定",
                                             u"ツールバーの設定",
                                             u"署名の設定",
                                             u"オプション",
                                             u"アドレス帳の編集",
                                             u"アドレス入力",
                                             u"添付ファイル設定",
                                             u"返信テンプレート設定",
                                             u"拡張ヘッダフィールド設定",
                                             u"ReplyToフィールド設定",
                                             u"InReplyToフィールド設定",
                                             u"バージョン情報",
                                             u"ヘルプ",
                                             u"自分にも送信",
                                             u"ファイル作成",
                                             u"Toアドレス",
                                             u"Ccアドレス",
                                             u"Bccアドレス",
                                             u"終了"};
  return names;
}

WideString TToolBarCustmForm::NameOf(int code) {
  if (code >= 0 && code < static_cast<int>(ItemNames().size()))
    return ItemNames()[static_cast<size_t>(code)];
  return Utf8ToWide("(" + std::to_string(code) + ")");
}

void TToolBarCustmForm::Load() {
  const ToolBarLayout layout = ReadToolBarLayout(settings_);
  flat_ = layout.flat;
  codes_ = layout.codes;
  modified_ = settings_.Read(keys::kToolBarItemCount) != -1;
}

int TToolBarCustmForm::Add(int code) {
  codes_.push_back(code);
  modified_ = true;
  return static_cast<int>(codes_.size()) - 1;
}

int TToolBarCustmForm::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(codes_.size())) return row;
  codes_.erase(codes_.begin() + row);
  modified_ = true;
  return std::min(row, static_cast<int>(codes_.size()) - 1);
}

int TToolBarCustmForm::MoveUp(int row) {
  if (row <= 0 || row >= static_cast<int>(codes_.size())) return row;
  std::swap(codes_[static_cast<size_t>(row)], codes_[static_cast<size_t>(row - 1)]);
  modified_ = true;
  return row - 1;
}

int TToolBarCustmForm::MoveDown(int row) {
  if (row < 0 || row + 1 >= static_cast<int>(codes_.size())) return row;
  std::swap(codes_[static_cast<size_t>(row)], codes_[static_cast<size_t>(row + 1)]);
  modified_ = true;
  return row + 1;
}

void TToolBarCustmForm::Reset() {
  codes_ = DefaultToolBar();
  modified_ = false;
}

void TToolBarCustmForm::Save() const {
  settings_.GeneralFile().Update([&](ProfileText& text) {
    ProfileText::Keys items;
    if (modified_) {
      items.emplace_back(keys::kToolBarItemCount.key, std::to_string(codes_.size()));
      for (size_t i = 0; i < codes_.size(); ++i)
        items.emplace_back(keys::kToolBarItemPrefix + std::to_string(i + 1),
                           std::to_string(codes_[i]));
    }
    text.ReplaceSection(keys::kToolBarSection, items);
    text.Set(keys::kToolBarFlat.section, keys::kToolBarFlat.key, flat_ ? "1" : "0");
  });
}

}  // namespace orvane
