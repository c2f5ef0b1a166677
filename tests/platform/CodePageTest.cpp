#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct SjisCase {
  std::u16string text;
  std::string bytes;
};

TEST(CodePage932, EncodesBothFormsOfTheCharactersJisAndWindowsMapApart) {
  const SjisCase cases[] = {
      {u"\u301C", "\x81\x60"}, {u"\uFF5E", "\x81\x60"},  // wave dash
      {u"\u2016", "\x81\x61"}, {u"\u2225", "\x81\x61"},  // double vertical line
      {u"\u00AC", "\x81\xCA"}, {u"\uFFE2", "\x81\xCA"},  // not sign
      {u"\u2014", "\x81\x5C"}, {u"\u2015", "\x81\x5C"},  // dash
      {u"\u2212", "\x81\x7C"}, {u"\uFF0D", "\x81\x7C"},  // minus
      {u"\u00A2", "\x81\x91"}, {u"\uFFE0", "\x81\x91"},  // cent
      {u"\u00A3", "\x81\x92"}, {u"\uFFE1", "\x81\x92"},  // pound
      {u"漢字", "\x8A\xBF\x8E\x9A"},
      {u"ｱ", "\xB1"},
      {u"\u2460", "\x87\x40"},  // circled digit one, an NEC extension
      {u"a\\~", "a\\~"},
  };
  for (const auto& c : cases) {
    bool lost = true;
    EXPECT_EQ(WideToSjis(c.text, &lost), c.bytes);
    EXPECT_FALSE(lost);
  }
}

TEST(CodePage932, DecodesToTheWindowsForms) {
  EXPECT_EQ(SjisToWide("\x81\x60\x81\x61\x81\x5C\x81\x7C"), u"\uFF5E\u2225\u2015\uFF0D");
  EXPECT_EQ(SjisToWide("\x82\xA0\xB1"), u"あｱ");
}

TEST(CodePage932, UnrepresentableCharactersBecomeAQuestionMark) {
  bool lost = false;
  EXPECT_EQ(WideToSjis(u"a\U0001F600b\uAC00c", &lost), "a?b?c");  // emoji, hangul
  EXPECT_TRUE(lost);
}

TEST(CodePage932, InvalidBytesDecodeWithoutLosingTheirNeighbours) {
  // A lead byte at the end, a lead byte before an invalid trail byte, and an
  // unassigned pair.
  EXPECT_EQ(SjisToWide("a\x82"), u"a\u30FB");
  EXPECT_EQ(SjisToWide("\x82\x20z"), u"\u30FB z");
  EXPECT_EQ(SjisToWide("\x85\x40"), u"\u30FB");
}

TEST(CodePage932, TheSingleBytesWithoutACharacterSurviveARoundTrip) {
  const std::string bytes = "\x80\xA0\xFD\xFE\xFF";
  EXPECT_EQ(WideToSjis(SjisToWide(bytes)), bytes);
}

TEST(Utf8, RoundTripsAndReplacesInvalidBytes) {
  const std::u16string text = u"aé漢\U0001F600";
  EXPECT_EQ(WideToUtf8(text), "a\xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
  EXPECT_EQ(Utf8ToWide("a\xFF" "b\xE6\xBC"), u"a\uFFFDb\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong "/"
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(WideToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_TRUE(IsValidUtf8("\xE6\xBC\xA2"));
  EXPECT_FALSE(IsValidUtf8("\x8A\xBF"));
}

TEST(CodePages, ConvertThroughThePlatform) {
  struct Case {
    int codePage;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {1252, u"café €", "caf\xE9 \x80"},
      {28592, u"Łódź", "\xA3\xF3\x64\xBC"},
      {936, u"中文", "\xD6\xD0\xCE\xC4"},
      {949, u"한국", "\xC7\xD1\xB1\xB9"},
      {950, u"中文", "\xA4\xA4\xA4\xE5"},
      {65000, u"日本", "+ZeVnLA-"},
      {65001, u"日本", "\xE6\x97\xA5\xE6\x9C\xAC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    bool lost = true;
    EXPECT_EQ(EncodeCodePage(c.text, c.codePage, &lost), c.bytes);
    EXPECT_FALSE(lost);
    EXPECT_EQ(DecodeCodePage(c.bytes, c.codePage), c.text);
  }
}

TEST(CodePages, ReportTheDefaultCharacterAndUnknownCodePages) {
  bool lost = false;
  EXPECT_EQ(EncodeCodePage(u"a漢b", 1252, &lost), "a?b");
  EXPECT_TRUE(lost);
  EXPECT_EQ(EncodeCodePage(u"a\U0001F600b", 28592, &lost), "a?b");
  EXPECT_EQ(EncodeCodePage(u"x", 12345), std::nullopt);
  EXPECT_EQ(DecodeCodePage("x", 12345), std::nullopt);
  EXPECT_EQ(DecodeCodePage("a\xFF" "b", 936), u"a\uFFFDb");
}

TEST(CodePages, AnUnassignedPairAtTheEndEndsTheDecoding) {
  // 0xA2E8 is unassigned in code page 949; glibc consumes it before it
  // reports the error.
  const std::string buffer = "\xA2\xE8" "after the end";
  EXPECT_EQ(DecodeCodePage(std::string_view(buffer.data(), 2), 949), u"\uFFFD");
}

}  // namespace
}  // namespace orvane
