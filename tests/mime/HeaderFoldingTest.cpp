#include <gtest/gtest.h>

#include <string>

#include "PythonReference.h"
#include "mime/HeaderFolding.h"

namespace orvane {
namespace {

const std::string kBlanks = " \t";

std::string Repeat(char c, size_t n) {
  return std::string(n, c);
}

TEST(FoldHeader, CutsLinesAtTheirLimits) {
  const std::string w54 = Repeat('a', 54);
  const std::string w62 = Repeat('b', 62);
  const std::string w46 = Repeat('c', 46);
  const struct {
    std::string text, before, after, folded;
  } cases[] = {
      {"short value", kBlanks, "", "short value"},
      // First line 58, then 64.
      {w54 + " " + w62 + " " + w46, kBlanks, "", w54 + "\r\n " + w62 + "\r\n " + w46},
      {Repeat('x', 55) + " y", kBlanks, "", Repeat('x', 55) + " y"},  // shorter than 58
      {Repeat('x', 56) + " y", kBlanks, "", Repeat('x', 56) + "\r\n y"},
      // No blank up to the limit: the first one after it.
      {Repeat('x', 70) + " y z", kBlanks, "", Repeat('x', 70) + "\r\n y z"},
      // Nothing to cut at: the line stays long.
      {Repeat('x', 100), kBlanks, "", Repeat('x', 100)},
      // A blank at position 0 is no place to cut.
      {" " + Repeat('x', 80), kBlanks, "", " " + Repeat('x', 80)},
      // After the first comma outside quotes.
      {"\"a, b\" <a@x>, " + Repeat('c', 60), "", ",", "\"a, b\" <a@x>,\r\n " + Repeat('c', 60)},
      {"\"a\\\", b\" <a@x>, " + Repeat('c', 60), "", ",",
       "\"a\\\", b\" <a@x>,\r\n " + Repeat('c', 60)},
      {Repeat('c', 60) + ",", "", ",", Repeat('c', 60) + ","},  // the comma ends the line
      // A break-before byte wins over a break-after one.
      {"a@x, " + Repeat('c', 50) + " <d@y>", "<", ",", "a@x, " + Repeat('c', 50) + " \r\n <d@y>"},
      // Further lines of the input keep their blank and are cut with 64.
      {"a\r\n\t" + Repeat('x', 62) + " y", kBlanks, "", "a\r\n\t" + Repeat('x', 62) + "\r\n y"},
      {"", kBlanks, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldHeader(c.text, c.before, c.after), c.folded);
  }
}

TEST(FoldHeader, MakesEveryFurtherLineAContinuationLine) {
  const struct {
    std::string text, folded;
  } cases[] = {
      {"a\r\nBcc: x", "a\r\n Bcc: x"},
      {"a\nBcc: x", "a\r\n Bcc: x"},
      {"a\rBcc: x", "a\r\n Bcc: x"},
      {"a\r\n\r\nbody", "a\r\n \r\n body"},  // no empty line ends the header
      {"\r\nBcc: x", "\r\n Bcc: x"},
      {"a\r\n", "a"},
      {"<a@x>\r\n\t<b@x>", "<a@x>\r\n\t<b@x>"},  // a chain of references stays
      {"a\r\n b", "a\r\n b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldHeader(c.text, kBlanks, ""), c.folded);
    EXPECT_EQ(ContinueLines(c.text), c.folded);
  }
  const auto names = test::PythonReferenceEach(
      "fieldnames", {"Subject: " + FoldHeader("a\r\nBcc: x@example.com", kBlanks, ""),
                     "Subject: " + FoldHeader("a\n\nBcc: x@example.com", kBlanks, "")});
  EXPECT_EQ(names[0], "Subject");
  EXPECT_EQ(names[1], "Subject");
}

TEST(Unfold, ReplacesLineBreaksBeforeBlanks) {
  const struct {
    std::string text, unfolded;
  } cases[] = {
      {"a\r\n b", "a b"},
      {"a\r\n\tb", "a b"},
      {"a\r\n  b", "a  b"},
      {"a\r\nb", "a\r\nb"},
      {"a\nb", "a\nb"},
      {"\r\n\r\n b", "\r\n b"},  // one pass, left to right
      {"\r\n\r\n\tb", "\r\n b"},
      {"a\r\n", "a\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Unfold(c.text), c.unfolded);
  }
}

}  // namespace
}  // namespace orvane
