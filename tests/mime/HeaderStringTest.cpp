#include <gtest/gtest.h>

#include <string>

#include "PythonReference.h"
#include "mime/HeaderString.h"

namespace orvane {
namespace {

constexpr char kHeader[] =
    "\r\nFrom: a@example.jp\r\nSubject: Hello\r\n world\r\nTo: b@example.jp\r\n";

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

TEST(THeaderString, FindsFieldsByLowerCaseKey) {
  THeaderString header;
  header.SetText(kHeader);
  EXPECT_EQ(header.LowerText, Lower(kHeader));
  EXPECT_EQ(header.Find("\r\nfrom:"), 0u);
  EXPECT_EQ(header.Find("\r\nto:"), 44u);
  EXPECT_EQ(header.Find("\r\nFrom:"), std::nullopt);  // keys are lower-case
  EXPECT_EQ(header.Find("\r\ncc:"), std::nullopt);

  const struct {
    std::string key, value;
  } cases[] = {
      {"\r\nfrom:", "a@example.jp"},
      {"\r\nsubject:", "Hello\r\n world"},  // continuation lines belong to the field
      {"\r\nto:", "b@example.jp"},
      {"\r\ncc:", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(header.FieldValue(c.key), c.value);

  header.Clear();
  EXPECT_EQ(header.Text, "");
  EXPECT_EQ(header.LowerText, "");
  EXPECT_EQ(header.FieldValue("\r\nfrom:"), "");
}

TEST(THeaderString, FieldValueDropsOnlyLeadingBlanks) {
  THeaderString header;
  header.SetText("\r\nSubject:\t  two words  \r\nX: y");
  EXPECT_EQ(header.FieldValue("\r\nsubject:"), "two words  ");
  EXPECT_EQ(header.FieldValue("\r\nx:"), "y");
}

TEST(THeaderString, SetFieldReplacesAppendsAndRemoves) {
  const struct {
    std::string key, name, value, text;
  } cases[] = {
      // Replaced where it stands, continuation lines and all.
      {"\r\nsubject:", "Subject:", "Bye",
       "\r\nFrom: a@example.jp\r\nSubject: Bye\r\nTo: b@example.jp\r\n"},
      // Appended after every present field.
      {"\r\ncc:", "Cc:", " c@example.jp ",
       "\r\nFrom: a@example.jp\r\nSubject: Hello\r\n world\r\nTo: b@example.jp\r\nCc: "
       "c@example.jp\r\n"},
      // An empty value removes the field.
      {"\r\nsubject:", "Subject:", "", "\r\nFrom: a@example.jp\r\nTo: b@example.jp\r\n"},
      {"\r\nsubject:", "Subject:", "  ", "\r\nFrom: a@example.jp\r\nTo: b@example.jp\r\n"},
      {"\r\nto:", "To:", "", "\r\nFrom: a@example.jp\r\nSubject: Hello\r\n world\r\n"},
      {"\r\ncc:", "Cc:", "", kHeader},
      // The name is written as given; nothing adds a colon.
      {"\r\nfrom:", "FROM", "z@x",
       "\r\nFROM z@x\r\nSubject: Hello\r\n world\r\nTo: b@example.jp\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key + c.value);
    THeaderString header;
    header.SetText(kHeader);
    header.SetField(c.key, c.name, c.value);
    EXPECT_EQ(header.Text, c.text);
    EXPECT_EQ(header.LowerText, Lower(c.text));
  }
}

TEST(THeaderString, SetFieldOnAnEmptyHeaderStartsIt) {
  THeaderString header;
  header.SetField("\r\nx-test:", "X-Test:", "1");
  EXPECT_EQ(header.Text, "\r\n\r\nX-Test: 1\r\n");
  EXPECT_EQ(header.FieldValue("\r\nx-test:"), "1");
  header.SetField("\r\nx-test:", "X-Test:", "2");
  header.SetField("\r\nx-other:", "X-Other:", "3");
  EXPECT_EQ(header.Text, "\r\nX-Test: 2\r\nX-Other: 3\r\n");
}

TEST(THeaderString, AppendLineTrimsTheHeaderAndTheLine) {
  THeaderString header;
  header.SetText("\r\n\r\nA: 1\r\n\r\n");
  header.AppendLine("  B: 2 \r\n");
  EXPECT_EQ(header.Text, "\r\nA: 1\r\nB: 2\r\n");
  EXPECT_EQ(header.LowerText, "\r\na: 1\r\nb: 2\r\n");
}

TEST(THeaderString, AValueWithLineBreaksStaysOneField) {
  const std::string values[] = {"a\r\nBcc: x@example.com", "a\nBcc: x@example.com",
                                "a\r\n\r\nBody text"};
  for (const auto& value : values) {
    SCOPED_TRACE(value);
    for (bool present : {false, true}) {
      THeaderString header;
      header.SetText(present ? "\r\nSubject: old\r\nTo: b@x\r\n" : "\r\nTo: b@x\r\n");
      header.SetField("\r\nsubject:", "Subject:", value);
      EXPECT_EQ(header.Find("\r\nbcc:"), std::nullopt);
      EXPECT_EQ(header.Text.find("\r\n\r\n"), std::string::npos) << header.Text;
      const std::string text = header.Text.substr(2);
      EXPECT_EQ(test::PythonReference("fieldnames", text), present ? "Subject\nTo" : "To\nSubject");
    }
  }
  THeaderString header;
  header.AppendLine("X-A: 1\r\nBcc: x@example.com");
  EXPECT_EQ(header.Text, "\r\n\r\nX-A: 1\r\n Bcc: x@example.com\r\n");
}

}  // namespace
}  // namespace orvane
