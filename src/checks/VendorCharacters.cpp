#include "checks/VendorCharacters.h"

#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "platform/CodePage.h"

namespace orvane {

namespace {

struct Replacement {
  char32_t character;
  const char16_t* text;
};

// What people write instead, where the custom is settled.
constexpr Replacement kReplacements[] = {
    {U'㈱', u"(株)"},     {U'㈲', u"(有)"},       {U'㈹', u"(代)"},       {U'㊤', u"(上)"},
    {U'㊥', u"(中)"},     {U'㊦', u"(下)"},       {U'㊧', u"(左)"},       {U'㊨', u"(右)"},
    {U'㍉', u"ミリ"},     {U'㌔', u"キロ"},       {U'㌢', u"センチ"},     {U'㍍', u"メートル"},
    {U'㌘', u"グラム"},   {U'㌧', u"トン"},       {U'㌃', u"アール"},     {U'㌶', u"ヘクタール"},
    {U'㍑', u"リットル"}, {U'㍗', u"ワット"},     {U'㌍', u"カロリー"},   {U'㌦', u"ドル"},
    {U'㌣', u"セント"},   {U'㌫', u"パーセント"}, {U'㍊', u"ミリバール"}, {U'㌻', u"ページ"},
    {U'㎜', u"mm"},       {U'㎝', u"cm"},         {U'㎞', u"km"},         {U'㎎', u"mg"},
    {U'㎏', u"kg"},       {U'㏄', u"cc"},         {U'㎡', u"m2"},         {U'㍻', u"平成"},
    {U'㍼', u"昭和"},     {U'㍽', u"大正"},       {U'㍾', u"明治"},       {U'㋿', u"令和"},
    {U'№', u"No."},       {U'㏍', u"K.K."},       {U'℡', u"TEL"},         {U'〝', u"“"},
    {U'〟', u"”"},        {U'￤', u"｜"},         {U'＇', u"’"},          {U'＂', u"”"},
    {U'髙', u"高"},       {U'﨑', u"崎"},         {U'德', u"徳"},         {U'–', u"-"},
    {U'™', u"TM"},        {U'©', u"(C)"},         {U'®', u"(R)"},         {U'½', u"1/2"},
    {U'²', u"2"},         {U'³', u"3"},           {U'µ', u"μ"},           {U'«', u"≪"},
    {U'»', u"≫"},         {U'•', u"・"},          {U'·', u"・"},          {U'¦', u"｜"},
    {U'\u00A0', u" "},
};

constexpr const char16_t* kRomanNumerals[] = {u"I",  u"II",  u"III",  u"IV", u"V",
                                              u"VI", u"VII", u"VIII", u"IX", u"X"};

WideString Lowered(const char16_t* text) {
  WideString lowered(text);
  for (char16_t& c : lowered) c = static_cast<char16_t>(c + (u'a' - u'A'));
  return lowered;
}

WideString ReplacementOf(char32_t c, std::u16string_view written) {
  if (c >= U'①' && c <= U'⑳') return u"(" + Utf8ToWide(std::to_string(c - U'①' + 1)) + u")";
  if (c >= U'Ⅰ' && c <= U'Ⅹ') return kRomanNumerals[c - U'Ⅰ'];
  if (c >= U'ⅰ' && c <= U'ⅹ') return Lowered(kRomanNumerals[c - U'ⅰ']);
  if (c >= U'\uFF61' && c <= U'\uFF9F') {
    // Half-width katakana: what ISO-2022-JP makes of them.
    bool failed = false;
    return SjisToWide(JisToSjis(SjisToJis(WideToSjis(written), failed)));
  }
  for (const Replacement& replacement : kReplacements)
    if (replacement.character == c) return replacement.text;
  return {};
}

bool IsInvisible(char32_t c) {
  return (c >= 0x80 && c <= 0xA0) || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
         (c >= 0x205F && c <= 0x206F) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFEFF;
}

WideString Shown(char32_t c, std::u16string_view written) {
  if (!IsInvisible(c)) return WideString(written);
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  return Utf8ToWide(code);
}

enum class Verdict : std::uint8_t { Unknown, Carried, Reported };

// Whether ISO-2022-JP carries the character as JIS X 0208 or ASCII.
bool CarriedByJis(char16_t c) {
  bool lost = false;
  const AnsiString sjis = WideToSjis(std::u16string_view(&c, 1), &lost);
  if (lost || sjis.empty()) return false;
  const auto lead = static_cast<unsigned char>(sjis[0]);
  if (sjis.size() == 1) return lead < 0x80;
  const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(sjis[1]));
  return JisFormOf(code) == TJisForm::Standard;
}

}  // namespace

std::vector<WideString> FindVendorCharacters(std::initializer_list<std::u16string_view> texts,
                                             TMimeCharSet charset) {
  std::vector<WideString> found;
  if (charset == mcsUTF_7 || charset == mcsUTF_8) return found;
  // Each character of the basic plane is looked at once, however long the
  // body; no character beyond it has a Shift_JIS form.
  std::vector<Verdict> verdicts(0x10000, Verdict::Unknown);
  std::unordered_set<char32_t> reportedBeyond;
  auto report = [&](char32_t c, std::u16string_view written) {
    WideString item = Shown(c, written);
    if (WideString replacement = ReplacementOf(c, written); !replacement.empty())
      item += u" → " + replacement;
    found.push_back(std::move(item));
  };

  for (std::u16string_view text : texts) {
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c < 0x80) continue;
      if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        const char32_t full = 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
        if (reportedBeyond.insert(full).second) report(full, text.substr(i, 2));
        ++i;
        continue;
      }
      Verdict& verdict = verdicts[c];
      if (verdict == Verdict::Unknown) {
        verdict = CarriedByJis(c) ? Verdict::Carried : Verdict::Reported;
        if (verdict == Verdict::Reported) report(c, text.substr(i, 1));
      }
    }
  }
  return found;
}

}  // namespace orvane
