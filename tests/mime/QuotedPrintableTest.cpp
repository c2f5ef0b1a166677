#include <gtest/gtest.h>

#include <random>
#include <string>

#include "PythonReference.h"
#include "mime/PercentEncoding.h"
#include "mime/QuotedPrintable.h"

namespace orvane {
namespace {

using namespace std::string_literals;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

TEST(QuotedPrintableEncode, EscapesAndBreaksLines) {
  const std::string x74(74, 'x');
  const struct {
    std::string in, out;
  } cases[] = {
      {"a=b\r\nc ", "a=3Db\r\nc=20"},
      {std::string(100, 'x'), std::string(75, 'x') + "=\r\n" + std::string(25, 'x')},
      {std::string(75, 'x'), std::string(75, 'x')},
      {std::string(76, 'x'), std::string(75, 'x') + "=\r\nx"},
      {"a\tb c", "a\tb c"},
      {"a \r\nb\t\r\n", "a=20\r\nb=09\r\n"},  // whitespace before a line break
      {"a \rb", "a=20=0Db"},                  // before a lone CR too
      {"a\rb\nc", "a=0Db=0Ac"},               // lone CR and LF
      {"\x7f\x80\xff~!<>", "=7F=80=FF~!<>"},
      {"\x01\x1f", "=01=1F"},
      {"ab\0cd"s, "ab"},  // the input ends at NUL
      {"", ""},
      // A soft break goes after the last literal space of the line ...
      {std::string(70, 'a') + " " + std::string(10, 'b'),
       std::string(70, 'a') + " =\r\n" + std::string(10, 'b')},
      {"a b " + std::string(80, 'c'), "a b =\r\n" + std::string(75, 'c') + "=\r\n" + "ccccc"},
      // ... else before the escape that would not fit, never inside it.
      {x74 + "\xe3", x74 + "=\r\n=E3"},
      {x74 + " ", x74 + "=\r\n=20"},
      {std::string(72, 'x') + "=", std::string(72, 'x') + "=3D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(QuotedPrintableEncode(c.in), c.out);
  }
}

TEST(QuotedPrintableEncode, KeepsLinesShortAndIsReadBackByPython) {
  std::mt19937 gen(11);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string bytes;
  for (int i = 0; i < 20000; ++i) {
    switch (kind(gen)) {
      case 0:
      case 1:
        bytes += ' ';
        break;
      case 2:
        bytes += "\r\n";
        break;
      case 3:
        bytes += static_cast<char>(byte(gen));
        break;
      default:
        bytes += static_cast<char>('a' + i % 26);
    }
  }
  const std::string encoded = QuotedPrintableEncode(bytes);
  for (const auto& line : LinesOf(encoded)) ASSERT_LE(line.size(), 76u) << line;
  EXPECT_EQ(test::PythonReference("qpdecode", encoded), bytes);
  EXPECT_EQ(QuotedPrintableDecode(encoded), bytes);
}

TEST(QuotedPrintableDecode, ReadsEscapesAndSoftBreaks) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"=e3", " "},  // lower-case digits are not an escape
      {"=E3", "\xe3"},
      {"abc=", "abc="},
      {"abc=4", "abc=4"},
      {"ab=\r\ncd", "abcd"},
      {"a=3Db=20", "a=b "},
      {"=4G!", " !"},
      {"a=\nbc", "a c"},  // "=" and two characters that are
                          // no escape
      {"=\r", "=\r"},
      {"==41", " 1"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(QuotedPrintableDecode(c.in), c.out);
  }
}

TEST(QEscape, KeepsOnlyThePrintableBytesOfAQWord) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"a b?c_d", "a=20b=3Fc=5Fd"}, {"x=y", "x=3Dy"}, {"\x1b$B", "=1B$B"},
      {"\x7f\x80\t", "=7F=80=09"},  {"!~<>", "!~<>"}, {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(QEscape(c.in), c.out);
  }
}

TEST(QEscape, EscapesEverySpecialOfAPhrase) {
  // RFC 2047 section 5 (3): letters, digits and "!*+-/" only.
  const struct {
    std::string in, out;
  } cases[] = {
      {"Bo, J.(IT)", "Bo=2C=20J=2E=28IT=29"},
      {"a!*+-/z09", "a!*+-/z09"},
      {"\"q\" <x>", "=22q=22=20=3Cx=3E"},
      {"=?_\xfc", "=3D=3F=5F=FC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(QEscape(c.in, true), c.out);
  }
}

TEST(PercentEncode, KeepsOnlyLettersAndDigits) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"a.txt", "a%2Etxt"},
      {"A-z_09", "A%2Dz%5F09"},
      {"\x1b$B", "%1B%24B"},
      {"\xff ", "%FF%20"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(PercentEncode(c.in), c.out);
  }
}

TEST(PercentDecode, ReadsSevenBitEscapesOnly) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"%1B%24B", "\x1b$B"},
      {"%E3%81", "%E3%81"},  // escapes of 0x80 and above stay as written
      {"x%41", "xA"},
      {"%7F", "\x7f"},
      {"%80", "%80"},
      {"%zz!", " !"},
      {"%e3", " "},  // lower-case digits are not digits here
      {"%4", "%4"},
      {"%", "%"},
      {"a%%41", "a 1"},  // "%%4" is no escape: one space, then "1"
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(PercentDecode(c.in), c.out);
  }
}

TEST(PercentDecode, InvertsPercentEncodeOfSevenBitBytes) {
  std::string bytes;
  for (int b = 1; b < 0x80; ++b) bytes += static_cast<char>(b);
  EXPECT_EQ(PercentDecode(PercentEncode(bytes)), bytes);
}

TEST(TextDecoders, NeverGrowTheirInput) {
  std::mt19937 gen(12);
  std::uniform_int_distribution<size_t> length(0, 40);
  std::uniform_int_distribution<size_t> pick(0, 11);
  const char alphabet[] = "=%\r\nAF09ez\x80";
  for (int round = 0; round < 3000; ++round) {
    std::string text(length(gen), '\0');
    for (char& c : text) c = alphabet[pick(gen)];
    ASSERT_LE(QuotedPrintableDecode(text).size(), text.size()) << text;
    ASSERT_LE(PercentDecode(text).size(), text.size()) << text;
  }
}

}  // namespace
}  // namespace orvane
