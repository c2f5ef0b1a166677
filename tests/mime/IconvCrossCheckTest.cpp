// Every character of JIS X 0208 against glibc's own ISO-2022-JP, CP932 and
// EUC-JP converters.

#include <gtest/gtest.h>

#include <string>

#include "IconvConverter.h"
#include "mime/CharSet.h"

namespace orvane {
namespace {

std::string JisCharacter(int row, int cell) {
  return std::string("\x1B$B") + static_cast<char>(row) + static_cast<char>(cell) + "\x1B(B";
}

struct JisCharacterCase {
  std::string jis;         // ESC $ B, the two bytes, ESC ( B
  std::u16string unicode;  // as iconv decodes it
};

std::vector<JisCharacterCase> EveryJisX0208Character() {
  IconvConverter decoder("UTF-16LE", "ISO-2022-JP");
  std::vector<JisCharacterCase> cases;
  for (int row = 0x21; row <= 0x7E; ++row) {
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      std::string jis = JisCharacter(row, cell);
      if (auto utf16 = decoder.Convert(jis)) cases.push_back({jis, FromUtf16Bytes(*utf16)});
    }
  }
  return cases;
}

TEST(IconvCrossCheck, EncodesEveryJisX0208CharacterAsIconvDoes) {
  const auto cases = EveryJisX0208Character();
  // JIS X 0208 assigns 6879 characters; iconv must have decoded them all.
  ASSERT_EQ(cases.size(), 6879u);
  size_t mismatches = 0;
  for (const auto& c : cases) {
    TMimeCharSet charset = mcsISO_2022_JP;
    bool failed = true;
    AnsiString bytes = UnicodeToCharSet(c.unicode, charset, failed, false);
    if (bytes != c.jis || failed || charset != mcsISO_2022_JP) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c.unicode[0]);
      if (++mismatches == 20) break;
    }
  }
}

TEST(IconvCrossCheck, DecodesEveryJisX0208CharacterToItsCodePage932Form) {
  IconvConverter toCp932("CP932", "UTF-16LE");
  IconvConverter fromCp932("UTF-16LE", "CP932");
  size_t mismatches = 0;
  for (const auto& c : EveryJisX0208Character()) {
    auto sjis = toCp932.Convert(AsUtf16Bytes(c.unicode));
    ASSERT_TRUE(sjis.has_value());
    auto expected = fromCp932.Convert(*sjis);
    ASSERT_TRUE(expected.has_value());
    TMimeCharSet charset = mcsUnKnown;
    WideString text = CharSetToUnicode("ISO-2022-JP", c.jis, "", &charset);
    EXPECT_EQ(charset, mcsISO_2022_JP);
    if (text != FromUtf16Bytes(*expected)) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c.unicode[0]);
      if (++mismatches == 20) break;
    }
  }
}

TEST(IconvCrossCheck, DecodesEveryJisX0208CharacterFromEucJp) {
  IconvConverter toEuc("EUC-JP", "UTF-16LE");
  size_t mismatches = 0;
  for (const auto& c : EveryJisX0208Character()) {
    auto euc = toEuc.Convert(AsUtf16Bytes(c.unicode));
    ASSERT_TRUE(euc.has_value());
    if (EucToSjis(*euc) != JisToSjis(c.jis)) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c.unicode[0]);
      if (++mismatches == 20) break;
    }
  }
}

TEST(IconvCrossCheck, WaveDashComesBackInItsCodePage932Form) {
  EXPECT_EQ(CharSetToUnicode("iso-2022-jp", "\x1B$B!A\x1B(B", ""), u"\uFF5E");
}

TEST(IconvCrossCheck, BothFormsOfTheCharactersJisAndCodePage932MapApartEncode) {
  const struct {
    std::u16string jisForm, windowsForm;
    std::string bytes;
  } cases[] = {
      {u"\u301C", u"\uFF5E", "\x1B$B!A\x1B(B"},   // wave dash
      {u"\u2016", u"\u2225", "\x1B$B!B\x1B(B"},   // double vertical line
      {u"\u00AC", u"\uFFE2", "\x1B$B\"L\x1B(B"},  // not sign
      {u"\u2014", u"\u2015", "\x1B$B!=\x1B(B"},   // dash
      {u"\u2212", u"\uFF0D", "\x1B$B!]\x1B(B"},   // minus
      {u"\u00A2", u"\uFFE0", "\x1B$B!q\x1B(B"},   // cent
      {u"\u00A3", u"\uFFE1", "\x1B$B!r\x1B(B"},   // pound
  };
  for (const auto& c : cases) {
    for (const auto& form : {c.jisForm, c.windowsForm}) {
      SCOPED_TRACE(static_cast<int>(form[0]));
      TMimeCharSet charset = mcsISO_2022_JP;
      bool failed = true;
      EXPECT_EQ(UnicodeToCharSet(form, charset, failed, true), c.bytes);
      EXPECT_FALSE(failed);
      EXPECT_EQ(charset, mcsISO_2022_JP);
    }
  }
}

}  // namespace
}  // namespace orvane
