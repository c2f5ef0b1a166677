#include <gtest/gtest.h>

#include <string>

#include "mime/CharSet.h"

namespace orvane {
namespace {

struct EscapedCase {
  const char* what;
  std::string bytes;
  bool found;
  std::u16string text;
  TMimeCharSet charset;
};

TEST(DecodeEscapedText, TheFirstDecisiveMarkerChoosesTheDecoder) {
  const EscapedCase cases[] = {
      {"ISO-2022-JP", "Re: \x1B$B%F%9%H\x1B(B", true, u"Re: テスト", mcsISO_2022_JP},
      {"old JIS designation", "\x1B$@$\"\x1B(B", true, u"あ", mcsISO_2022_JP},
      {"ISO-2022-KR", "\x1B$)C\x0EGQ\x0F", true, u"한", mcsISO_2022_KR},
      {"HZ", "a ~{VPND~} b", true, u"a 中文 b", mcsGB2312HZ},
      {"HZ close far away", "~{VP\r\nx ~}", true, u"中\r\nx ", mcsGB2312HZ},
      {"another designation is skipped", "\x1B$A\x1B$B$\"\x1B(B", true, u"\x1B$Aあ",
       mcsISO_2022_JP},
      {"a cut-off KR designation is skipped", "\x1B$)X\x1B$)C\x0EGQ\x0F", true, u"\x1B$)X한",
       mcsISO_2022_KR},
      {"HZ before JIS", "~{VP~}\x1B$B$\"", true, u"中\x1B$B$\"", mcsGB2312HZ},
      {"JIS before HZ", "\x1B$B$\"\x1B(B~{VP~}", true, u"あ~{VP~}", mcsISO_2022_JP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WideString text = u"stale";
    TMimeCharSet charset = mcsUnKnown;
    EXPECT_EQ(DecodeEscapedText(c.bytes, text, charset), c.found);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(charset, c.charset);
  }
}

TEST(DecodeEscapedText, FindsNothingWithoutACompleteMarker) {
  const std::string cases[] = {
      "plain text",
      "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=",
      "~{ never closed",
      "~} closed before ~{",
      "a\x1B",
      "a\x1B$",
      "a\x1B$)",
      "\x1B(B only ascii",
      std::string("\0\x1B$B$\"", 6),
      "",
  };
  for (const auto& bytes : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WideString text = u"stale";
    TMimeCharSet charset = mcsBIG5;
    EXPECT_FALSE(DecodeEscapedText(bytes, text, charset));
    EXPECT_EQ(text, u"");
    EXPECT_EQ(charset, mcsBIG5);
  }
}

TEST(DecodeEscapedText, StaysInsideItsInput) {
  const std::string buffer = "x\x1B$B$\"~{VP~}\x1B$)C\x0EGQ";
  for (size_t length = 0; length <= buffer.size(); ++length) {
    SCOPED_TRACE(length);
    std::string_view view(buffer.data(), length);
    const std::string alone(view);
    WideString viewText, aloneText;
    TMimeCharSet viewCharSet = mcsUnKnown, aloneCharSet = mcsUnKnown;
    EXPECT_EQ(DecodeEscapedText(view, viewText, viewCharSet),
              DecodeEscapedText(alone, aloneText, aloneCharSet));
    EXPECT_EQ(viewText, aloneText);
    EXPECT_EQ(viewCharSet, aloneCharSet);
  }
}

}  // namespace
}  // namespace orvane
