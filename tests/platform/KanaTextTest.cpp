#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/CodePage.h"
#include "platform/KanaText.h"

namespace orvane {
namespace {

using Convert = WideString (*)(std::u16string_view);

TEST(KanaText, Conversions) {
  struct Case {
    const char* name;
    Convert convert;
    std::u16string text;
    std::u16string converted;
  } cases[] = {
      {"full", ToFullWidth, u"ｶﾞｷﾞｸﾞﾊﾟﾋﾟｳﾞﾜﾞｦﾞ", u"ガギグパピヴヷヺ"},
      {"full", ToFullWidth, u"ﾀﾅｶ ﾀﾛｳ", u"タナカ　タロウ"},
      {"full", ToFullWidth, u"ｱﾞﾏﾟﾞﾟ", u"ア゛マ゜゛゜"},
      {"full", ToFullWidth, u"ｰ･｢｣､｡ｧｯ", u"ー・「」、。ァッ"},
      {"full", ToFullWidth, u"Az09!~\\", u"Ａｚ０９！～＼"},
      {"full", ToFullWidth, u"ひらがな漢字ー", u"ひらがな漢字ー"},
      {"half", ToHalfWidth, u"ガギグパピヴヷヺ", u"ｶﾞｷﾞｸﾞﾊﾟﾋﾟｳﾞﾜﾞｦﾞ"},
      {"half", ToHalfWidth, u"ＡＢＣ　１～", u"ABC 1~"},
      {"half", ToHalfWidth, u"ー・「」、。゛゜", u"ｰ･｢｣､｡ﾞﾟ"},
      {"half", ToHalfWidth, u"ひらがなヵヶヮヰヱ漢字", u"ひらがなヵヶヮヰヱ漢字"},
      {"katakana", ToKatakana, u"たなかゝゞゔぁゖ", u"タナカヽヾヴァヶ"},
      {"katakana", ToKatakana, u"ｶ漢ー", u"ｶ漢ー"},
      {"hiragana", ToHiragana, u"タナカヽヾヴァヶ", u"たなかゝゞゔぁゖ"},
      {"hiragana", ToHiragana, u"ヷｶーヿ", u"ヷｶーヿ"},
      {"half katakana", ToHalfKatakana, u"たなか　がっこう", u"ﾀﾅｶ ｶﾞｯｺｳ"},
      {"full hiragana", ToFullHiragana, u"ﾀﾅｶ ｶﾞｯｺｳ", u"たなか　がっこう"},
      {"full hiragana", ToFullHiragana, u"Smith", u"Ｓｍｉｔｈ"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WideToUtf8(c.convert(c.text)), WideToUtf8(c.converted))
        << c.name << ": " << WideToUtf8(c.text);
}

TEST(KanaText, EveryHalfWidthKanaGoesToFullWidthAndBack) {
  for (char16_t c = u'\uFF61'; c <= u'\uFF9F'; ++c) {
    std::u16string half(1, c);
    WideString full = ToFullWidth(half);
    ASSERT_EQ(full.size(), 1u) << std::hex << static_cast<int>(c);
    EXPECT_NE(full[0], c);
    EXPECT_EQ(ToHalfWidth(full), half) << std::hex << static_cast<int>(c);
  }
}

// Python's NFKC normalisation, an independent table of the half-width
// forms: it maps each to its full-width character and composes a kana with
// a following voiced or semi-voiced mark where Unicode has the character.
TEST(KanaText, HalfWidthKanaAgreeWithUnicodeNormalisation) {
  FILE* pipe = ::popen(
      "python3 -c \"import unicodedata\n"
      "for c in range(0xFF66, 0xFF9E):\n"
      "  for m in ('', chr(0xFF9E), chr(0xFF9F)):\n"
      "    print(unicodedata.normalize('NFKC', chr(c) + m))\"",
      "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  ASSERT_EQ(::pclose(pipe), 0);
  WideString lines = Utf8ToWide(output);
  size_t at = 0;
  for (char16_t c = u'\uFF66'; c < u'\uFF9E'; ++c) {
    for (std::u16string mark : {u"", u"\uFF9E", u"\uFF9F"}) {
      size_t end = lines.find(u'\n', at);
      ASSERT_NE(end, WideString::npos);
      WideString normal = lines.substr(at, end - at);
      at = end + 1;
      std::u16string half = std::u16string(1, c) + mark;
      WideString ours = ToFullWidth(half);
      // NFKC keeps an uncombined mark as the combining character; ours is
      // the spacing "゛" or "゜" that the Japanese code pages have.
      if (normal.size() == 2) normal[1] = normal[1] == u'\u3099' ? u'゛' : u'゜';
      EXPECT_EQ(WideToUtf8(ours), WideToUtf8(normal)) << WideToUtf8(half);
    }
  }
}

TEST(KanaText, KanaText) {
  struct Case {
    std::u16string text;
    bool kana;
  } cases[] = {
      {u"たなか", true},   {u"タナカー", true}, {u"ﾀﾅｶｰﾞ", true},
      {u"ゔぁ・ヿ", true}, {u"", false},        {u"たなk", false},
      {u"田中", false},    {u"たな か", false}, {u"たなか。", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsKanaText(c.text), c.kana) << WideToUtf8(c.text);
}

}  // namespace
}  // namespace orvane
