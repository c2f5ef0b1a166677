#include <gtest/gtest.h>

#include <random>
#include <string>

#include "PythonReference.h"
#include "mime/LineList.h"
#include "mime/TransferEncoding.h"
#include "mime/Uuencode.h"
#include "mime/ZelCorder.h"

namespace orvane {
namespace {

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(byte(gen));
  return s;
}

// Random text over an alphabet that provokes the unusual paths of a decoder.
std::string RandomText(size_t size, std::string_view alphabet, std::mt19937& gen) {
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::string s(size, '\0');
  for (char& c : s) c = alphabet[pick(gen)];
  return s;
}

// The output size the decoder promises from the count n of characters other
// than CR, LF and "=".
size_t Base64Capacity(std::string_view text) {
  size_t n = 0;
  for (char c : text) n += c != '\r' && c != '\n' && c != '=';
  return n / 4 * 3 + (n % 4 ? n % 4 - 1 : 0);
}

TEST(Base64Encode, GivesTheStandardEncodingAsOneLine) {
  // The first rows are the test vectors of RFC 4648 section 10.
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"abc", "YWJj"},
      {"ab", "YWI="},
      {std::string("\0\xff\xfe", 3), "AP/+"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Base64Encode(c.in), c.out);
  }
}

TEST(Base64Encode, MatchesPythonOnRandomBytes) {
  // Every residue of the length modulo 3 at the end, over all byte values.
  const std::string bytes = RandomBytes(100003, 1);
  EXPECT_EQ(Base64Encode(bytes), test::PythonReference("b64encode", bytes));
}

TEST(Base64UrlEncode, IsTheSafeAlphabetWithoutPadding) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},           {"f", "Zg"}, {"fo", "Zm8"}, {"foo", "Zm9v"}, {"\xfb\xff\xbf", "-_-_"},
      {"\xfb\xff", "-_8"}};
  for (const auto& c : cases) EXPECT_EQ(Base64UrlEncode(c.in), c.out) << c.out;
  // Every byte value, against Python's urlsafe_b64encode.
  const std::string bytes = RandomBytes(3001, 2);
  EXPECT_EQ(Base64UrlEncode(bytes), test::PythonReference("b64urlencode", bytes));
}

TEST(Base64Decode, ReadsGroupsPaddingAndLineBreaks) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"YWJj\r\nZA==", "abcd"},
      {"Zm9vYmFy", "foobar"},
      {"Zm9vYg==", "foob"},
      {"Zm9vYmE=", "fooba"},
      {"YWI", "ab"},  // a final group of three without padding
      {"YQ", "a"},    // of two
      {"Y", ""},      // a single character holds no whole byte
      {"", ""},
      {"\r\n\r\n", ""},
      {"YW\r\nJj", "abc"},   // a line break inside a group is skipped
      {"Y W\tJ-j", "abc"},   // so is every character outside the alphabet
      {"YQ==YWJj", "aabc"},  // padding ends its own group only
      {"YQ==\r\nYg==", "ab"},
      {"YW=j", "a"},                   // a group whose third character is "="
      {"====", ""},                    // nothing counted, nothing written
      {"=AAA", std::string(2, '\0')},  // limited to the computed size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Base64Decode(c.in), c.out);
  }
}

TEST(Base64Decode, RoundTripsPythonsLinesOfSeventySixCharacters) {
  const std::string bytes = RandomBytes(30001, 2);
  // base64.encodebytes writes lines of 76 characters ending in LF.
  std::string text = test::PythonReference("b64encode", bytes);
  std::string lines;
  for (size_t i = 0; i < text.size(); i += 76) lines += text.substr(i, 76) + "\r\n";
  EXPECT_EQ(Base64Decode(lines), bytes);
}

TEST(Base64Decode, StaysWithinTheComputedSizeOnHostileText) {
  std::mt19937 gen(3);
  std::uniform_int_distribution<size_t> length(0, 64);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomText(length(gen), "AZaz09+/==\r\n \x80-", gen);
    const std::string bytes = Base64Decode(text);
    ASSERT_LE(bytes.size(), Base64Capacity(text)) << text;
  }
}

TEST(AppendBase64Lines, CutsFortyEightBytesIntoSixtyFourCharacterLines) {
  const struct {
    size_t size;
    std::vector<size_t> lineLengths;
  } cases[] = {
      {100, {64, 64, 8}}, {96, {64, 64}}, {48, {64}},
      {1, {4}},           {0, {0}},  // an empty input still gives one (empty) line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string bytes = RandomBytes(c.size, 4);
    std::string out = "head\r\n";
    AppendBase64Lines(bytes, out);
    ASSERT_EQ(out.substr(0, 6), "head\r\n");
    TLineList lines;
    lines.SetText(out.substr(6));
    ASSERT_EQ(lines.Count(), c.lineLengths.size());
    std::string joined;
    for (size_t i = 0; i < lines.Count(); ++i) {
      EXPECT_EQ(lines[i].size(), c.lineLengths[i]);
      joined += lines[i];
    }
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
    EXPECT_EQ(joined, Base64Encode(bytes));
  }
}

TEST(AppendBase64Lines, IsReadBackByPython) {
  const std::string bytes = RandomBytes(50000, 5);
  std::string out;
  AppendBase64Lines(bytes, out);
  EXPECT_EQ(test::PythonReference("b64decode", out), bytes);
}

TEST(TLineList, SplitsAtEveryKindOfLineBreak) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},  // a final break begins no further line
      {"a\n\nb", {"a", "", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    for (bool adopt : {false, true}) {
      TLineList list;
      if (adopt) {
        list.SetText(std::string(c.text));
      } else {
        list.SetText(std::string_view(c.text));
      }
      ASSERT_EQ(list.Count(), c.lines.size());
      std::string text;
      for (size_t i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list[i], c.lines[i]);
        text += c.lines[i] + "\r\n";
      }
      EXPECT_EQ(list.Text(), text);
    }
  }
}

TEST(TLineList, RejectsAnIndexPastTheEnd) {
  TLineList list;
  list.Add("a");
  EXPECT_EQ(list[0], "a");
  EXPECT_THROW(list[1], std::out_of_range);
}

TEST(TZelCorder, EncodesAStreamIntoLinesOfSixtyFourCharacters) {
  std::string stream = RandomBytes(100, 6);
  TZelCorder coder;
  coder.Lines.Add("stale");
  coder.Stream = &stream;
  coder.Encode();
  ASSERT_EQ(coder.Lines.Count(), 3u);
  EXPECT_EQ(coder.Lines[0].size(), 64u);
  EXPECT_EQ(coder.Lines[1].size(), 64u);
  EXPECT_EQ(coder.Lines[2].size(), 8u);
  EXPECT_EQ(test::PythonReference("b64decode", coder.Lines.Text()), stream);
  // A line added to the encoded ones follows them.
  const std::string second(coder.Lines[1]);
  coder.Lines.Add("added");
  ASSERT_EQ(coder.Lines.Count(), 4u);
  EXPECT_EQ(coder.Lines[1], second);
  EXPECT_EQ(coder.Lines[3], "added");

  std::string empty;
  coder.Stream = &empty;
  coder.Encode();
  ASSERT_EQ(coder.Lines.Count(), 1u);
  EXPECT_EQ(coder.Lines[0], "");
}

TEST(TZelCorder, DecodesEveryLineByItself) {
  const struct {
    std::uint8_t mode;
    std::vector<std::string> lines;
    std::string bytes;
  } cases[] = {
      {0, {"YQ==", "YWJj"}, "aabc"},  // padding may end any line
      {0, {"YW", "Jj"}, "a&"},        // no group spans two lines (Python: "YW==", "Jj==")
      {1, {"#86)C", "`"}, "abc"},
      {2, {"a", "b"}, "a\r\nb\r\n"},
  };
  for (const auto& c : cases) {
    TZelCorder coder;
    coder.Mode = c.mode;
    for (const auto& line : c.lines) coder.Lines.Add(line);
    std::string stream = "old content";
    coder.Stream = &stream;
    coder.Decode();
    EXPECT_EQ(stream, c.bytes);
  }
}

TEST(TZelCorder, RoundTripsALargeStream) {
  std::string original = RandomBytes(1 << 20, 7);
  std::string stream = original;
  TZelCorder coder;
  coder.Stream = &stream;
  coder.Encode();
  EXPECT_EQ(coder.Lines.Count(), ((1u << 20) + 47) / 48);
  coder.Decode();
  EXPECT_EQ(stream, original);
}

TEST(TZelCorder, DoesNothingWithoutAStream) {
  TZelCorder coder;
  coder.Lines.Add("YWJj");
  coder.Encode();
  EXPECT_EQ(coder.Lines.Count(), 0u);
  coder.Decode();
}

TEST(TZelCorder, NamesItsModes) {
  const struct {
    std::uint8_t mode;
    std::string name;
  } cases[] = {{0, "Base64"}, {1, "x-uuencode"}, {2, "7bit"}, {3, "7bit"}, {255, "7bit"}};
  for (const auto& c : cases) {
    TZelCorder coder;
    coder.Mode = c.mode;
    EXPECT_EQ(coder.ModeName(), c.name);
  }
}

TEST(UudecodeLine, ReadsTheCountAndGroupsOfFour) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"#86)C", "abc"},
      {"`", ""},
      {"", ""},
      {"!80``", "a"},
      {"\"86(`", "ab"},
      {"#86)C\r\n#86)C\r\n`\r\n", "abcabc"},
      {"#86", std::string("a`\0", 3)},  // missing characters count as 0 (as binascii.a2b_uu)
      {"!86)C", "a"},                   // never more than the count
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(UudecodeLine(c.in), c.out);
  }
}

TEST(UudecodeLine, DecodesPythonsUuencoding) {
  const std::string bytes = RandomBytes(4500 + 17, 8);
  EXPECT_EQ(UudecodeLine(test::PythonReference("uuencode", bytes)), bytes);
}

TEST(UudecodeLine, YieldsAtMostTheCountOfEveryLine) {
  std::mt19937 gen(9);
  std::uniform_int_distribution<size_t> length(0, 80);
  for (int round = 0; round < 2000; ++round) {
    const std::string text = RandomText(length(gen), "M#!`\r\n \x7f\x01\xff", gen);
    size_t lines = 1;
    for (char c : text) lines += c == '\r' || c == '\n';
    ASSERT_LE(UudecodeLine(text).size(), lines * 63) << text;
  }
}

}  // namespace
}  // namespace orvane
