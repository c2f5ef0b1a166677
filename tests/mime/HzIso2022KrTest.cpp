#include <gtest/gtest.h>

#include <string>

#include "IconvConverter.h"
#include "mime/CharSet.h"

namespace orvane {
namespace {

struct EncodeCase {
  const char* what;
  std::u16string text;
  std::string bytes;
  bool failed;
};

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::u16string text;
};

TEST(HzEncode, ShiftsRunsOfGb2312AndDoublesTildes) {
  const EncodeCase cases[] = {
      {"run and tilde", u"中文~a", "~{VPND~}~~a", false},
      {"line", u"abc 中文 x~y\r\n", "abc ~{VPND~} x~~y\r\n", false},
      {"character outside GB 2312", u"中\uAC00文", "~{VP~}?~{ND~}", true},
      {"GBK character outside GB 2312", u"\u4E02", "?", true},
      {"delete character", u"a\u007F", "a?", true},
      {"emoji, unit by unit", u"\U0001F600", "??", true},
      {"NUL ends the text", std::u16string(u"a\0中", 3), "a", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool failed = false;
    EXPECT_EQ(HzEncode(c.text, failed), c.bytes);
    EXPECT_EQ(failed, c.failed);
  }
}

TEST(HzDecode, FollowsTheMarkers) {
  const DecodeCase cases[] = {
      {"run", "~{VPND~}", u"中文"},
      {"doubled tilde", "a~~b", u"a~b"},
      {"soft line break", "a~\r\n  b", u"ab"},
      {"unknown escape drops the tilde", "a~xb", u"axb"},
      {"CR LF leaves GB mode", "~{VP\r\nND", u"中\r\nND"},
      {"control byte inside GB mode", "~{VP\tND~}", u"中\t文"},
      {"tilde as the second byte of a pair", "~{R~~}", u"\u9690"},
      {"high byte",
       "a\xFF"
       "b",
       u"a\uFFFDb"},
      {"unassigned pair", "~{*!~}", u"\uFFFD"},
      {"NUL ends the text", std::string("~{VP\0ND", 7), u"中"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(HzDecode(c.bytes), c.text);
  }
}

TEST(HzDecode, EndsAtTheEndOfTruncatedInput) {
  const DecodeCase cases[] = {
      {"tilde at the end", "a~", u"a"},
      {"open marker at the end", "a~{", u"a"},
      {"odd byte at the end of a run", "~{VPN", u"中N"},
      {"soft line break at the end", "a~\r\n", u"a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(HzDecode(c.bytes), c.text);
  }
}

// Every GB 2312 pair decodes as code page 936 decodes it (glibc's CP936 is
// the reference) and encodes back to itself.
TEST(HzCoder, RoundTripsEveryGb2312Character) {
  IconvConverter gbk("UTF-16LE", "CP936");
  IconvConverter gb2312("UTF-16LE", "GB2312");
  size_t characters = 0, mismatches = 0;
  for (int first = 0x21; first <= 0x7E && mismatches < 20; ++first) {
    for (int second = 0x21; second <= 0x7E && mismatches < 20; ++second) {
      const std::string eight = {static_cast<char>(first | 0x80), static_cast<char>(second | 0x80)};
      if (!gb2312.Convert(eight)) continue;
      ++characters;
      auto expected = gbk.Convert(eight);
      ASSERT_TRUE(expected.has_value());
      const std::string hz =
          std::string("~{") + static_cast<char>(first) + static_cast<char>(second) + "~}";
      WideString text = HzDecode(hz);
      bool failed = false;
      if (text != FromUtf16Bytes(*expected) || HzEncode(text, failed) != hz || failed) {
        ADD_FAILURE() << std::hex << first << ' ' << second;
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(characters, 7445u);
}

TEST(Iso2022KrEncode, DesignatesOnceAndShiftsEachRun) {
  const EncodeCase cases[] = {
      {"runs and lines", u"한국어 abc\r\n국",
       "\x1B$)C\x0EGQ19>n\x0F abc\r\n\x0E"
       "19\x0F",
       false},
      {"ascii only", u"x~", "\x1B$)Cx~", false},
      {"empty", u"", "\x1B$)C", false},
      {"Hangul outside KS X 1001", u"a똠b", "\x1B$)Ca?b", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool failed = false;
    EXPECT_EQ(Iso2022KrEncode(c.text, failed), c.bytes);
    EXPECT_EQ(failed, c.failed);
  }
}

TEST(Iso2022KrDecode, FollowsDesignationAndShifts) {
  const DecodeCase cases[] = {
      {"shifted pairs",
       "\x1B$)C\x0EGQ19\x0F"
       "a",
       u"한국a"},
      {"SO without a designation", "\x0EGQ\x0F", u"GQ"},
      {"CR LF shifts back", "\x1B$)C\x0EGQ\r\nGQ", u"한\r\nGQ"},
      {"the designation outlives the line", "\x1B$)C\r\n\x0EGQ", u"\r\n한"},
      {"unknown escape is copied", "\x1B$)Ax\x1B(B", u"\x1B$)Ax\x1B(B"},
      {"control byte in a shifted run", "\x1B$)C\x0EG\tQ", u"G\tQ"},
      {"high byte", "\x1B$)C\x0E\xC7\xD1", u"\uFFFD\uFFFD"},
      {"NUL ends the text",
       std::string("\x1B$)C\x0EGQ\0"
                   "19",
                   9),
       u"한"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Iso2022KrDecode(c.bytes), c.text);
  }
}

TEST(Iso2022KrDecode, EndsAtTheEndOfTruncatedInput) {
  const DecodeCase cases[] = {
      {"ESC at the end", "a\x1B", u"a\x1B"},
      {"designation cut short", "a\x1B$)", u"a\x1B$)"},
      {"odd byte at the end of a run", "\x1B$)C\x0EGQG", u"한G"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Iso2022KrDecode(c.bytes), c.text);
  }
}

// glibc's ISO-2022-KR converter is the reference for every KS X 1001
// character, both ways. The one exception is 0x2268 (U+327E, added to
// KS X 1001 in 2002), which code page 949 does not have.
TEST(Iso2022KrCoder, AgreesWithIconvOnEveryKsX1001Character) {
  IconvConverter decoder("UTF-16LE", "ISO-2022-KR");
  size_t characters = 0, mismatches = 0;
  for (int first = 0x21; first <= 0x7E && mismatches < 20; ++first) {
    for (int second = 0x21; second <= 0x7E && mismatches < 20; ++second) {
      const std::string bytes = std::string("\x1B$)C\x0E") + static_cast<char>(first) +
                                static_cast<char>(second) + "\x0F";
      auto utf16 = decoder.Convert(bytes);
      if (!utf16) continue;
      ++characters;
      if (first == 0x22 && second == 0x68) {
        EXPECT_EQ(Iso2022KrDecode(bytes), u"\uFFFD");
        continue;
      }
      const WideString expected = FromUtf16Bytes(*utf16);
      bool failed = false;
      if (Iso2022KrDecode(bytes) != expected || Iso2022KrEncode(expected, failed) != bytes ||
          failed) {
        ADD_FAILURE() << std::hex << first << ' ' << second;
        ++mismatches;
      }
    }
  }
  EXPECT_GE(characters, 8000u);
}

TEST(ShiftedDecoders, StayInsideTheirInput) {
  const std::string hostile[] = {
      "~{VPND~}~~",
      "~{~~~{~}~",
      "\x1B$)C\x0EGQ19\x0F",
      std::string(32, '\xFF'),
      "\x1B$)\x1B$\x0E\x0E\x0F",
      "a~\r\n \r\n",
  };
  for (const auto& buffer : hostile) {
    for (size_t length = 0; length <= buffer.size(); ++length) {
      SCOPED_TRACE(::testing::PrintToString(buffer.substr(0, length)));
      std::string_view view(buffer.data(), length);
      const std::string alone(view);
      EXPECT_EQ(HzDecode(view), HzDecode(alone));
      EXPECT_EQ(Iso2022KrDecode(view), Iso2022KrDecode(alone));
    }
  }
}

}  // namespace
}  // namespace orvane
