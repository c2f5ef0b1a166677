#include <gtest/gtest.h>

#include <string>

#include "mime/CharSet.h"

namespace orvane {
namespace {

TEST(CharSetFromName, MatchesNamesAndPrefixesOfTheTable) {
  const struct {
    std::string name;
    TMimeCharSet charset;
  } cases[] = {
      {"us-ascii", mcsUS_ASCII},
      {"ISO-2022-JP", mcsISO_2022_JP},
      {"Shift_JIS", mcsSHIFT_JIS},
      {"EUC-JP", mcsEUC_JP},
      {"utf-7", mcsUTF_7},
      {"UTF-8", mcsUTF_8},
      {"utf", mcsUTF_7},  // a prefix of the first entry it starts
      {"euc", mcsEUC_JP},
      {"gb", mcsGB2312},
      {"windows-1252", mcsISO_8859_1},
      {"windows-1250", mcsISO_8859_2},
      {"windows-125", mcsISO_8859_1},
      {"GB2312", mcsGB2312},
      {"gb-2312", mcsGB2312},
      {"cn-gb", mcsGB2312},
      {"Big5", mcsBIG5},
      {"cn-big5", mcsBIG5},
      {"HZ-GB-2312", mcsGB2312HZ},
      {"iso-2022-kr", mcsISO_2022_KR},
      {"EUC-KR", mcsEUC_KR},
      {"ks_c_5601-1987", mcsKSC5601},
      {"gbk", mcsGBK},
      {"us-ascii ", mcsUS_ASCII},  // the entries are padded with blanks
      {"iso-8859-1", mcsISO_8859_1},
      {"iso-8859-15", mcsISO_8859_1},
      {"ISO-8859-10", mcsISO_8859_10},
      {"iso-8859-2", mcsISO_8859_2},
      {"iso-8859-5", mcsISO_8859_5},
      {"iso-8859-9", mcsISO_8859_9},
      {"x-iso-8859-7", mcsISO_8859_7},
      {"iso-8859-0", mcsUnKnown},
      {"iso-8859-", mcsUnKnown},  // the first entry never selects itself
      {"iso", mcsUnKnown},
      {"2312", mcsUnKnown},  // found only inside an entry
      {"ascii", mcsUnKnown},
      {"x-sjis", mcsUnKnown},
      {"iso-2022-jp-2", mcsUnKnown},
      {"utf-16", mcsUnKnown},
      {"", mcsUnKnown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CharSetFromName(c.name), c.charset);
  }
}

TEST(CharSetInfo, GivesTheNameAndBodyEncodingOfEveryMember) {
  const struct {
    const char* name;
    const char* encoding;
  } expected[] = {
      {"US-ASCII", "7bit"},
      {"ISO-2022-JP", "7bit"},
      {"Shift_Jis", "8bit"},
      {"euc-jp", "8bit"},
      {"UTF-7", "7bit"},
      {"UTF-8", "8bit"},
      {"GB2312", "8bit"},
      {"HZ-GB-2312", "7bit"},
      {"GBK", "8bit"},
      {"BIG5", "8bit"},
      {"euc-kr", "8bit"},
      {"euc-kr", "8bit"},
      {"ISO-2022-KR", "7bit"},
      {"ISO-8859-1", "quoted-printable"},
      {"ISO-8859-2", "quoted-printable"},
      {"ISO-8859-3", "quoted-printable"},
      {"ISO-8859-4", "quoted-printable"},
      {"ISO-8859-5", "quoted-printable"},
      {"ISO-8859-6", "quoted-printable"},
      {"ISO-8859-7", "quoted-printable"},
      {"ISO-8859-8", "quoted-printable"},
      {"ISO-8859-9", "quoted-printable"},
      {"ISO-8859-10", "quoted-printable"},
      {"US-ASCII", "7bit"},
  };
  static_assert(std::size(expected) == mcsUnKnown + 1);
  for (int i = 0; i <= mcsUnKnown; ++i) {
    SCOPED_TRACE(i);
    TCharSetInfo info = CharSetInfo(static_cast<TMimeCharSet>(i));
    EXPECT_EQ(info.name, expected[i].name);
    EXPECT_EQ(info.bodyEncoding, expected[i].encoding);
  }
}

TEST(UnicodeFallback, FollowsTheProcessWideSetting) {
  EXPECT_EQ(UnicodeEncodingSetting(), ueUTF_7);
  EXPECT_EQ(UnicodeFallback(), mcsUTF_7);
  SetUnicodeEncodingSetting(ueUTF_8);
  EXPECT_EQ(UnicodeFallback(), mcsUTF_8);
  SetUnicodeEncodingSetting(ueUTF_7);
  EXPECT_EQ(UnicodeFallback(), mcsUTF_7);
}

struct EncodeCase {
  const char* what;
  std::u16string text;
  TMimeCharSet asked;
  bool detectAscii;
  std::string bytes;
  TMimeCharSet charset;
  bool failed;
};

void ExpectEncodes(const EncodeCase& c) {
  SCOPED_TRACE(c.what);
  TMimeCharSet charset = c.asked;
  bool failed = !c.failed;
  EXPECT_EQ(UnicodeToCharSet(c.text, charset, failed, c.detectAscii), c.bytes);
  EXPECT_EQ(charset, c.charset);
  EXPECT_EQ(failed, c.failed);
}

TEST(UnicodeToCharSet, ChoosesIso2022JpForJapaneseAndUsAsciiForAscii) {
  const EncodeCase cases[] = {
      {"detected ascii", u"Hello", mcsISO_2022_JP, true, "Hello", mcsUS_ASCII, false},
      {"detected ascii for another charset", u"Hello", mcsUTF_8, true, "Hello", mcsUS_ASCII, false},
      {"U+007F is not ascii", u"a\u007F", mcsUS_ASCII, true, "a", mcsISO_2022_JP, false},
      {"undetected ascii", u"Hello", mcsUS_ASCII, false, "Hello", mcsISO_2022_JP, false},
      {"Shift_JIS request", u"漢字", mcsSHIFT_JIS, false, "\x1B$B4A;z\x1B(B", mcsISO_2022_JP,
       false},
      {"EUC-JP request", u"漢字", mcsEUC_JP, true, "\x1B$B4A;z\x1B(B", mcsISO_2022_JP, false},
      {"unknown request", u"漢字", mcsUnKnown, true, "\x1B$B4A;z\x1B(B", mcsISO_2022_JP, false},
      {"line break", u"a漢\r\nb", mcsISO_2022_JP, false, "a\x1B$B4A\x1B(B\r\nb", mcsISO_2022_JP,
       false},
      {"half-width kana", u"ｶﾞ", mcsISO_2022_JP, false, "\x1B$B%+!+\x1B(B", mcsISO_2022_JP, false},
      {"NEC special character", u"\u2460", mcsISO_2022_JP, false, "\x1B$B-!\x1B(B", mcsISO_2022_JP,
       false},
      {"empty text", u"", mcsSHIFT_JIS, false, "", mcsSHIFT_JIS, false},
      {"NUL ends the text", std::u16string(u"a\0漢", 3), mcsISO_2022_JP, false, "a", mcsISO_2022_JP,
       false},
  };
  for (const auto& c : cases) ExpectEncodes(c);
}

TEST(UnicodeToCharSet, ConvertsWithTheCodePageOfEachCharset) {
  const EncodeCase cases[] = {
      {"UTF-7", u"日本", mcsUTF_7, false, "+ZeVnLA-", mcsUTF_7, false},
      {"UTF-8", u"日本\U0001F600", mcsUTF_8, false, "\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80",
       mcsUTF_8, false},
      {"GB2312", u"中文", mcsGB2312, false, "\xD6\xD0\xCE\xC4", mcsGB2312, false},
      {"GBK", u"中文", mcsGBK, false, "\xD6\xD0\xCE\xC4", mcsGBK, false},
      {"BIG5", u"中文", mcsBIG5, false, "\xA4\xA4\xA4\xE5", mcsBIG5, false},
      {"code page 949", u"한국똠", mcsKSC5601, false, "\xC7\xD1\xB1\xB9\x8C\x63", mcsKSC5601,
       false},
      {"code page 51949", u"한국", mcsEUC_KR, false, "\xC7\xD1\xB1\xB9", mcsEUC_KR, false},
      {"Windows Western", u"café €", mcsISO_8859_1, false, "caf\xE9 \x80", mcsISO_8859_1, false},
      {"ISO-8859-2", u"Łódź", mcsISO_8859_2, false,
       "\xA3\xF3"
       "d\xBC",
       mcsISO_8859_2, false},
      {"ISO-8859-5", u"Привет", mcsISO_8859_5, false, "\xBF\xE0\xD8\xD2\xD5\xE2", mcsISO_8859_5,
       false},
      {"ISO-8859-7", u"Γειά", mcsISO_8859_7, false, "\xC3\xE5\xE9\xDC", mcsISO_8859_7, false},
      {"ISO-8859-8", u"שלום", mcsISO_8859_8, false, "\xF9\xEC\xE5\xED", mcsISO_8859_8, false},
      {"HZ", u"中文~a", mcsGB2312HZ, false, "~{VPND~}~~a", mcsGB2312HZ, false},
      {"ISO-2022-KR", u"한국어 abc\r\n국", mcsISO_2022_KR, false,
       "\x1B$)C\x0EGQ19>n\x0F abc\r\n\x0E"
       "19\x0F",
       mcsISO_2022_KR, false},
  };
  for (const auto& c : cases) ExpectEncodes(c);
}

TEST(UnicodeToCharSet, RetriesAFailedConversionAsIso2022Jp) {
  const EncodeCase cases[] = {
      {"ISO-8859-9 always fails", u"Ça", mcsISO_8859_9, false, "+AMc-a", mcsISO_8859_9, true},
      {"ISO-8859-10 always fails", u"Ça", mcsISO_8859_10, false, "+AMc-a", mcsISO_8859_10, true},
      {"ISO-8859-9 Japanese", u"漢字", mcsISO_8859_9, false, "\x1B$B4A;z\x1B(B", mcsISO_2022_JP,
       false},
      {"ISO-8859-9 ascii", u"abc", mcsISO_8859_9, false, "abc", mcsISO_2022_JP, false},
      {"Japanese in Windows Western", u"漢", mcsISO_8859_1, false, "\x1B$B4A\x1B(B", mcsISO_2022_JP,
       false},
      {"Hangul that neither can hold", u"한", mcsISO_8859_5, false, "?", mcsISO_8859_5, true},
      {"Japanese in HZ", u"畑", mcsGB2312HZ, false, "\x1B$BH*\x1B(B", mcsISO_2022_JP, false},
      {"Hangul outside KS X 1001", u"똠", mcsISO_2022_KR, false, "\x1B$)C?", mcsISO_2022_KR, true},
      {"code page 51949 lacks it too", u"똠", mcsEUC_KR, false, "?", mcsEUC_KR, true},
  };
  for (const auto& c : cases) ExpectEncodes(c);
}

// What code page 932 cannot hold would go out as "?" on the ISO-2022-JP
// path; it counts as a failure so that the caller's Unicode fallback
// carries the text instead.
TEST(UnicodeToCharSet, ReportsCharactersCodePage932LacksAsAFailure) {
  const EncodeCase cases[] = {
      {"emoji", u"件名\U0001F600", mcsISO_2022_JP, false, "\x1B$B7oL>\x1B(B?", mcsISO_2022_JP,
       true},
      {"Hangul in a Japanese request", u"a한", mcsUS_ASCII, true, "a?", mcsISO_2022_JP, true},
      {"Latin letter in a Shift_JIS request", u"Ça", mcsSHIFT_JIS, false, "?a", mcsISO_2022_JP,
       true},
  };
  for (const auto& c : cases) ExpectEncodes(c);
}

TEST(UnicodeToCharSet, TheUnicodeFallbackCarriesWhatIso2022JpLacks) {
  const std::u16string text = u"件名\U0001F600한";
  for (TUnicodeEncodingType setting : {ueUTF_7, ueUTF_8}) {
    SetUnicodeEncodingSetting(setting);
    TMimeCharSet charset = mcsISO_2022_JP;
    bool failed = false;
    UnicodeToCharSet(text, charset, failed, true);
    ASSERT_TRUE(failed);
    charset = UnicodeFallback();
    AnsiString bytes = UnicodeToCharSet(text, charset, failed, true);
    EXPECT_FALSE(failed);
    EXPECT_EQ(CharSetToUnicode(CharSetInfo(charset).name, bytes, ""), text);
  }
  SetUnicodeEncodingSetting(ueUTF_7);
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string alternative;
  std::u16string text;
  TMimeCharSet charset;
};

TEST(CharSetToUnicode, DecodesByTheNamedCharset) {
  const DecodeCase cases[] = {
      {"ISO-2022-JP", "\x1B$B$\"\x1B(B", "", u"あ", mcsISO_2022_JP},
      {"us-ascii", "abc", "", u"abc", mcsUS_ASCII},
      {"Shift_JIS", "\x8A\xBF\x8E\x9A", "", u"漢字", mcsSHIFT_JIS},
      {"euc-jp", "\xB4\xC1\xBB\xFA\x8E\xB1", "", u"漢字ｱ", mcsEUC_JP},
      {"utf-7", "+ZeVnLA-", "", u"日本", mcsUTF_7},
      {"utf-8", "\xE6\x97\xA5", "", u"日", mcsUTF_8},
      {"gb2312", "\xD6\xD0\xCE\xC4", "", u"中文", mcsGB2312},
      {"gbk", "\xD6\xD0\xCE\xC4", "", u"中文", mcsGBK},
      {"big5", "\xA4\xA4\xA4\xE5", "", u"中文", mcsBIG5},
      {"hz-gb-2312", "~{VPND~}", "", u"中文", mcsGB2312HZ},
      {"ks_c_5601-1987", "\xC7\xD1\x8C\x63", "", u"한똠", mcsKSC5601},
      {"euc-kr", "\xC7\xD1\xB1\xB9", "", u"한국", mcsEUC_KR},
      {"iso-2022-kr", "\x1B$)C\x0EGQ19\x0F", "", u"한국", mcsISO_2022_KR},
      {"windows-1252", "caf\xE9 \x80", "", u"café €", mcsISO_8859_1},
      {"iso-8859-1", "caf\xE9", "", u"café", mcsISO_8859_1},
      {"iso-8859-2",
       "\xA3\xF3"
       "d\xBC",
       "", u"Łódź", mcsISO_8859_2},
      {"utf-8", std::string("a\0b", 3), "", u"a", mcsUTF_8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMimeCharSet charset = mcsUnKnown;
    EXPECT_EQ(CharSetToUnicode(c.name, c.bytes, c.alternative, &charset), c.text);
    EXPECT_EQ(charset, c.charset);
  }
}

TEST(CharSetToUnicode, DecodesTheAlternativeForCharsetsWithoutADecoder) {
  const DecodeCase cases[] = {
      {"iso-8859-5", "\xBF\xE0", "=?iso-8859-5?Q?=BF=E0?=", u"=?iso-8859-5?Q?=BF=E0?=",
       mcsISO_8859_5},
      {"iso-8859-9", "abc", "abc", u"abc", mcsISO_8859_9},
      {"ISO-8859-10", "x", "y", u"y", mcsISO_8859_10},
      {"x-unknown", "ABC", "=?x-unknown?B?QUJD?=", u"=?x-unknown?B?QUJD?=", mcsUnKnown},
      // A plain parameter value has no charset: Shift_JIS and raw
      // ISO-2022-JP both come through.
      {"", "\x8A\xBF", "\x8A\xBF", u"漢", mcsUnKnown},
      {"", "\x1B$B$\"\x1B(B", "\x1B$B$\"\x1B(B", u"あ", mcsUnKnown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMimeCharSet charset = mcsUS_ASCII;
    EXPECT_EQ(CharSetToUnicode(c.name, c.bytes, c.alternative, &charset), c.text);
    EXPECT_EQ(charset, c.charset);
  }
}

TEST(WideToCodePage, ReportsUnknownCodePagesAndLostCharacters) {
  bool failed = true;
  EXPECT_EQ(WideToCodePage(u"", 12345, failed), "");
  EXPECT_FALSE(failed);
  EXPECT_EQ(WideToCodePage(u"abc", 12345, failed), "");
  EXPECT_TRUE(failed);
  EXPECT_EQ(WideToCodePage(u"a漢", 1252, failed), "a?");
  EXPECT_TRUE(failed);
  EXPECT_EQ(WideToCodePage(u"a\U0001F600", 932, failed), "a?");
  EXPECT_TRUE(failed);
  EXPECT_EQ(WideToCodePage(u"中文", 52936, failed), "~{VPND~}");
  EXPECT_FALSE(failed);
}

TEST(CodePageToWide, FallsBackToCodePage932ForUnknownCodePages) {
  EXPECT_EQ(CodePageToWide("\x8A\xBF", 12345), u"漢");
  EXPECT_EQ(CodePageToWide("\x8A\xBF", 932), u"漢");
  EXPECT_EQ(CodePageToWide("~{VPND~}", 52936), u"中文");
  EXPECT_EQ(CodePageToWide(std::string("\xD6\xD0\0\xCE\xC4", 5), 936), u"中");
}

TEST(IsAscii, DrawsTheLineAtTheDeleteCharacter) {
  EXPECT_TRUE(IsAsciiText(u""));
  EXPECT_TRUE(IsAsciiText(u"\t~ Hello"));
  EXPECT_FALSE(IsAsciiText(u"\u007F"));
  EXPECT_FALSE(IsAsciiText(u"é"));
  EXPECT_TRUE(IsAsciiBytes("\x7F~"));
  EXPECT_FALSE(IsAsciiBytes("a\x80"));
}

}  // namespace
}  // namespace orvane
