#include "app/EncodeUnit.h"

#include <string>

namespace orvane {

namespace {

int WithinList(int index, const std::vector<WideString>& items) {
  return index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
}

}  // namespace

TEncodeForm::TEncodeForm(const IniFileUnit& settings) : settings_(settings) {}

const std::vector<WideString>& TEncodeForm::CharsetItems() {
  // "EUC-JP " keeps the blank it has always been shown with.
  static const std::vector<WideString> items{u"US-ASCII", u"ISO-2022-JP", u"S-JIS",
                                             u"EUC-JP ",  u"UTF-7",       u"UTF-8"};
  return items;
}

const std::vector<WideString>& TEncodeForm::AttachItems() {
  static const std::vector<WideString> items{u"MimeBでエンコード", u"Rfc2231に準じてエンコード",
                                             u"Iso-2022-Jpでエンコード", u"シフトJisのまま"};
  return items;
}

const WideString& TEncodeForm::Utf8Note() {
  static const WideString note =
      u"UTF-8 は、絵文字や中国語・韓国語の文字など ISO-2022-JP "
      u"で送れない文字を含むときに選びます。";
  return note;
}

EncodeChoice TEncodeForm::Load() const {
  return {WithinList(settings_.Read(keys::kEncodeCharset), CharsetItems()),
          WithinList(settings_.Read(keys::kEncodeAttach), AttachItems())};
}

void TEncodeForm::Save(const EncodeChoice& choice) const {
  settings_.GeneralFile().Update([&](ProfileText& text) {
    text.Set(keys::kEncodeCharset.section, keys::kEncodeCharset.key,
             std::to_string(choice.charset));
    text.Set(keys::kEncodeAttach.section, keys::kEncodeAttach.key, std::to_string(choice.attach));
  });
}

}  // namespace orvane
