#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "IconvConverter.h"
#include "mime/CharSet.h"

namespace orvane {
namespace {

struct SjisToJisCase {
  const char* what;
  std::string sjis;
  std::string jis;
  bool failed;
};

TEST(SjisToJis, ConvertsEachClassOfCode) {
  const SjisToJisCase cases[] = {
      {"kanji", "\x8A\xBF\x8E\x9A", "\x1B$B4A;z\x1B(B", false},
      {"ascii stays unescaped", "Hello", "Hello", false},
      {"line break leaves two-byte mode", "a\x8A\xBF\r\nb", "a\x1B$B4A\x1B(B\r\nb", false},
      {"voiced mark stays separate", "\xB6\xDE", "\x1B$B%+!+\x1B(B", false},
      {"half-width punctuation", "\xA1\xA6\xB0\xDF", "\x1B$B!#%r!<!,\x1B(B", false},
      {"kana then ascii",
       "\xB1"
       "a",
       "\x1B$B%\"\x1B(Ba", false},
      {"circled digit one", "\x87\x40", "\x1B$B-!\x1B(B", false},
      {"NEC row end", "\x87\x9D", "\x1B$B-}\x1B(B", false},
      {"NEC code outside the table", "\x87\x76", "\x1B$B!&\x1B(B", false},
      {"IBM extension first", "\xFA\x40", "\x1B$B|q\x1B(B", false},
      {"IBM extension kanji", "\xFA\x5C", "\x1B$By!\x1B(B", false},
      {"IBM extension across a row", "\xFA\xBB", "\x1B$Bz!\x1B(B", false},
      {"IBM extension last", "\xFC\x4B", "\x1B$B|n\x1B(B", false},
      {"user-defined character", "\xF0\x40", "\x1B$B!&\x1B(B", false},
      {"NEC-selected IBM extension", "\xED\x40", "\x1B$B!&\x1B(B", true},
      {"unassigned lead row", "\x85\x40", "\x1B$B!&\x1B(B", true},
      {"bytes without a character",
       "a\x7F\x80\xA0\xFD\xFE\xFF"
       "b",
       "ab", false},
      {"NUL ends the text", std::string("a\0\x8A\xBF", 4), "a", false},
      {"empty", "", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool failed = false;
    EXPECT_EQ(SjisToJis(c.sjis, failed), c.jis);
    EXPECT_EQ(failed, c.failed);
  }
}

TEST(SjisToJis, NeverClearsTheFailureFlag) {
  bool failed = true;
  SjisToJis("abc", failed);
  EXPECT_TRUE(failed);
}

TEST(SjisToJis, KeepsTheByteAfterALeadByteThatLostItsTrail) {
  const SjisToJisCase cases[] = {
      {"lead byte at the end", "a\x82", "a\x1B$B!&\x1B(B", true},
      {"lead byte before a line break", "\x82\r\nb", "\x1B$B!&\x1B(B\r\nb", true},
      {"lead byte before a blank", "\xF0 x", "\x1B$B!&\x1B(B x", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool failed = false;
    EXPECT_EQ(SjisToJis(c.sjis, failed), c.jis);
    EXPECT_EQ(failed, c.failed);
  }
}

// glibc transliterates half-width katakana to full width only in a UTF-8
// locale; the voiced and semi-voiced marks it leaves alone.
TEST(SjisToJis, MapsHalfWidthKanaAsIconvTransliteratesThem) {
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (utf8 == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  locale_t previous = uselocale(utf8);
  IconvConverter translit("ISO-2022-JP//TRANSLIT", "UTF-16LE");
  for (int b = 0xA1; b <= 0xDD; ++b) {
    SCOPED_TRACE(b);
    std::u16string halfWidth(1, static_cast<char16_t>(0xFF61 + b - 0xA1));
    auto expected = translit.Convert(AsUtf16Bytes(halfWidth));
    ASSERT_TRUE(expected.has_value());
    bool failed = false;
    EXPECT_EQ(SjisToJis(std::string(1, static_cast<char>(b)), failed), *expected);
    EXPECT_FALSE(failed);
  }
  uselocale(previous);
  freelocale(utf8);
}

struct DecodeCase {
  const char* what;
  std::string input;
  std::string sjis;
};

TEST(JisToSjis, FollowsTheModes) {
  const DecodeCase cases[] = {
      {"two-byte", "\x1B$B$\"\x1B(B", "\x82\xA0"},
      {"old designation", "\x1B$@$\"\x1B(B", "\x82\xA0"},
      {"CR LF ends two-byte mode", "\x1B$B$\"\r\n$\"", "\x82\xA0\r\n$\""},
      {"a bare LF does not", "\x1B$B$\"\n$\"", "\x82\xA0\n\x82\xA0"},
      {"JIS Roman keeps its bytes", "\x1B(J\\~\x1B(B", "\\~"},
      {"katakana designation",
       "\x1B(I1^\x1B(B"
       "1",
       "\xB1\xDE"
       "1"},
      {"SO and SI",
       "\x0E"
       "1\x0F"
       "1",
       "\xB1"
       "1"},
      {"SI restores two-byte mode",
       "\x1B$B\x0E"
       "1\x0F$\"",
       "\xB1\x82\xA0"},
      {"CR LF resets the saved mode", "\x1B$B\x0E\r\n\x0F$\"", "\r\n$\""},
      {"unknown two-byte designation", "\x1B$Ax", "\x1B$Ax"},
      {"unknown one-byte designation", "\x1B(Dx", "\x1B(Dx"},
      {"other escape", "\x1BNx", "\x1BNx"},
      {"Shift_JIS passes through", "\x8A\xBF\x8E\x9A\xB1", "\x8A\xBF\x8E\x9A\xB1"},
      {"NUL ends the text", std::string("a\0b", 3), "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(JisToSjis(c.input), c.sjis);
  }
}

TEST(JisToSjis, EndsAtTheEndOfMalformedInput) {
  const DecodeCase cases[] = {
      {"ESC at the end", "a\x1B", "a\x1B"},
      {"ESC $ at the end", "a\x1B$", "a\x1B$"},
      {"ESC ( at the end", "a\x1B(", "a\x1B("},
      {"odd byte at the end of a two-byte run", "\x1B$B$\"$", "\x82\xA0$"},
      {"control byte inside a pair", "\x1B$B$\t\"", "$\t\""},
      {"high bytes in two-byte mode", "\x1B$B\xFF\xFF", "\xFF\xFF"},
      {"katakana mode leaves other bytes alone", "\x1B(I\t`", "\t`"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(JisToSjis(c.input), c.sjis);
  }
}

TEST(EucToSjis, ConvertsPairsAndKana) {
  const DecodeCase cases[] = {
      {"kanji", "\xB4\xC1\xBB\xFA", "\x8A\xBF\x8E\x9A"},
      {"hiragana", "\xA4\xA2", "\x82\xA0"},
      {"half-width kana", "\x8E\xB1\x8E\xDE", "\xB1\xDE"},
      {"ascii and the bytes copied as they are",
       "a\x80\xFF"
       "b",
       "a\x80\xFF"
       "b"},
      {"NUL ends the text", std::string("\xA4\xA2\0\xA4\xA2", 5), "\x82\xA0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(EucToSjis(c.input), c.sjis);
  }
}

TEST(EucToSjis, StandsInForBrokenPairsWithoutLosingTheirNeighbours) {
  const DecodeCase cases[] = {
      {"lead byte at the end", "a\xB4", "a\x81\x45"},
      {"lead byte before ascii",
       "\xB4"
       "a",
       "\x81\x45"
       "a"},
      {"kana prefix at the end", "\x8E", "\x81\x45"},
      {"kana prefix before a non-kana byte", "\x8E\r\n", "\x81\x45\r\n"},
      {"JIS X 0212 character", "\x8F\xB0\xA1x", "\x81\x45x"},
      {"a run of 0xFE", "\xFE\xFE\xFE", "\xEF\xFC\x81\x45"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(EucToSjis(c.input), c.sjis);
  }
}

// The decoders get views into a longer buffer: a decoder that read past the
// end of its view would see the bytes after it and give another result than
// for the same bytes on their own.
TEST(JapaneseDecoders, StayInsideTheirInput) {
  const std::string hostile[] = {
      "\x1B$B$\"$$\x1B(B",
      "\x1B$)C\x0E"
      "AB",
      "\xB4\xC1\x8E\xB1\x8F\xB0\xA1",
      std::string(64, '\xFF'),
      "\x1B$B\x0E\x0F\x1B(I\x1B(J",
      "\x82\xA0\x87\x40\xED",
  };
  for (const auto& buffer : hostile) {
    for (size_t length = 0; length <= buffer.size(); ++length) {
      SCOPED_TRACE(::testing::PrintToString(buffer.substr(0, length)));
      std::string_view view(buffer.data(), length);
      const std::string alone(view);
      EXPECT_EQ(JisToSjis(view), JisToSjis(alone));
      EXPECT_EQ(EucToSjis(view), EucToSjis(alone));
      bool failedView = false, failedAlone = false;
      EXPECT_EQ(SjisToJis(view, failedView), SjisToJis(alone, failedAlone));
      EXPECT_EQ(failedView, failedAlone);
    }
  }
}

}  // namespace
}  // namespace orvane
