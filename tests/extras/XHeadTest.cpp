// The extended header dialog's controller: rows from the stored lines, the
// checks when closing, and what is stored.

#include <gtest/gtest.h>

#include "extras/XHead.h"
#include "platform/CodePage.h"
#include "settings/ProfileBlock.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::ReadFile;
using test::ScriptedPrompt;
using test::TempFolder;
using test::WriteFile;
using Shown = ScriptedPrompt::Shown;

class XHeader : public ::testing::Test {
 protected:
  void Given(const std::string& utf8) {
    WriteFile(home / "home.ini", WideToSjis(Utf8ToWide(utf8)));
  }
  // The stored lines, as the settings store reads them back.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const AnsiString& line : ReadProfileBlock(settings.AccountFile("home").Load(), "XHeader"))
      lines.push_back(WideToUtf8(SjisToWide(line)));
    return lines;
  }
  TempFolder home;
  IniFileUnit settings{home.Path()};
  ScriptedPrompt prompt;
  TXHForm form{settings, prompt, "home"};
};

TEST_F(XHeader, RowsAreSplitAtTheFirstEquals) {
  Given(
      "[XHeader]\r\nLineCount=3\r\nLine1=\"X-Foo=a=b\"\r\nLine2=\"X-Bare\"\r\n"
      "Line3=\"X-Note= 前後の空白 \"\r\n");
  EXPECT_EQ(form.Load(), (std::vector<HeaderRow>{
                             {u"X-Foo", u"a=b"}, {u"X-Bare", u""}, {u"X-Note", u" 前後の空白 "}}));
  EXPECT_TRUE(prompt.shown.empty());
  // What composition reads: the first "=" becomes ": ".
  EXPECT_EQ(settings.ReadXHeaderBlock("home"),
            WideToSjis(u"X-Foo: a=b\r\nX-Bare\r\nX-Note:  前後の空白 "));
}

TEST_F(XHeader, NoStoredFieldShowsTheNotice) {
  for (const char* file : {"", "[XHeader]\r\nLineCount=0\r\n"}) {
    Given(file);
    prompt.shown.clear();
    EXPECT_TRUE(form.Load().empty());
    ASSERT_EQ(prompt.shown.size(), 1u) << file;
    EXPECT_EQ(prompt.shown[0].kind, Shown::Warning);
    EXPECT_EQ(prompt.shown[0].caption, u"諸注意");
    EXPECT_EQ(prompt.shown[0].text,
              u"任意のヘッダフィールドを追加するのは危険を伴います。\r\n"
              u"充分な知識を持たない方は、この項目を設定しないでください。\r\n"
              u"設定を行う場合は、RFC の仕様に準拠してください。\r\n"
              u"また、RFC 標準フィールドの設定は極力、避けてください。");
  }
}

TEST_F(XHeader, TheCloseButtonChecksEveryRowThenStores) {
  struct Case {
    const char* what;
    std::vector<HeaderRow> rows;
    bool closes;
    int row;
    std::vector<WideString> errors;
    std::vector<std::string> stored;
  } cases[] = {
      {"a name without a value",
       {{u"X-A", u"1"}, {u"X-B", u""}},
       false,
       1,
       {u"X-B は 値がありません"},
       {"X-Old=1"}},
      {"a value without a name",
       {{u"", u"値だけ"}},
       false,
       0,
       {u"値だけ は フィールドがありません"},
       {"X-Old=1"}},
      {"the first bad row is the one reported",
       {{u"", u"v"}, {u"X-B", u""}},
       false,
       0,
       {u"v は フィールドがありません"},
       {"X-Old=1"}},
      {"one empty row: nothing stored", {{u"", u""}}, true, -1, {}, {}},
      {"empty rows are left out, blanks kept",
       {{u"X-A", u" 1 "}, {u"", u""}, {u"X-Foo", u"a=b"}},
       true,
       -1,
       {},
       {"X-A= 1 ", "X-Foo=a=b"}},
      {"no rows at all", {}, true, -1, {}, {}},
  };
  for (const Case& c : cases) {
    Given("[XHeader]\r\nLineCount=1\r\nLine1=\"X-Old=1\"\r\n");
    prompt.shown.clear();
    const HeaderClose result = form.CloseButton(c.rows);
    EXPECT_EQ(result.closed, c.closes) << c.what;
    EXPECT_EQ(result.row, c.row) << c.what;
    EXPECT_EQ(prompt.Texts(Shown::Error), c.errors) << c.what;
    EXPECT_EQ(Lines(), c.stored) << c.what;
  }
  // The section left empty: the next opening shows the notice again.
  prompt.shown.clear();
  form.Load();
  EXPECT_EQ(prompt.Texts(Shown::Warning).size(), 1u);
}

TEST_F(XHeader, NamesMustBeFieldNamesAndDifferent) {
  const std::vector<HeaderRow> rows{{u"X-A", u"1"}, {u"X-B", u"2"}};
  struct Case {
    int row;
    const char16_t* name;
    std::optional<WideString> refusal;
  } cases[] = {
      {1, u"x-a", u"x-a は既にあります"},
      {0, u"X-A", std::nullopt},  // its own name
      {1, u"X-C", std::nullopt},
      {1, u"", std::nullopt},
      {1, u"X C", u"X C はフィールド名に使えません"},
      {1, u"X:C", u"X:C はフィールド名に使えません"},
      {1, u"X=C", u"X=C はフィールド名に使えません"},
      {1, u"件名", u"件名 はフィールド名に使えません"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(form.RefuseName(rows, c.row, c.name), c.refusal) << WideToUtf8(c.name);
}

TEST_F(XHeader, TheCloseBoxAsksAboutChangedRows) {
  struct Case {
    const char* what;
    std::vector<HeaderRow> rows;
    std::optional<PromptAnswer> answer;  // none: no question
    bool closes;
    std::vector<std::string> stored;
    bool notice = false;  // 配送状況の通知 ticked, and as it was stored
    bool storedNotice = false;
  } cases[] = {
      {"unchanged", {{u"X-Old", u"1"}}, std::nullopt, true, {"X-Old=1"}},
      {"unchanged but for an empty row", {{u"X-Old", u"1"}, {}}, std::nullopt, true, {"X-Old=1"}},
      {"changed, Yes", {{u"X-New", u"2"}}, PromptAnswer::Yes, true, {"X-New=2"}},
      {"changed, No", {{u"X-New", u"2"}}, PromptAnswer::No, true, {"X-Old=1"}},
      {"changed, Cancel", {{u"X-New", u"2"}}, PromptAnswer::Cancel, false, {"X-Old=1"}},
      {"changed, Yes, a row without a value",
       {{u"X-New", u""}},
       PromptAnswer::Yes,
       false,
       {"X-Old=1"}},
      {"配送状況の通知 ticked, Yes", {{u"X-Old", u"1"}}, PromptAnswer::Yes, true, {"X-Old=1"}, true,
       true},
      {"配送状況の通知 ticked, No", {{u"X-Old", u"1"}}, PromptAnswer::No, true, {"X-Old=1"}, true,
       false},
  };
  for (const Case& c : cases) {
    Given("[XHeader]\r\nLineCount=1\r\nLine1=\"X-Old=1\"\r\n");
    form.Load();
    prompt.shown.clear();
    if (c.answer) prompt.answers = {*c.answer};
    form.SetDeliveryNotice(c.notice);
    EXPECT_EQ(form.CloseBox(c.rows).closed, c.closes) << c.what;
    EXPECT_EQ(settings.ReadBool("home", keys::kDeliveryNotice), c.storedNotice) << c.what;
    EXPECT_EQ(prompt.Texts(Shown::Question).size(), c.answer ? 1u : 0u) << c.what;
    EXPECT_EQ(Lines(), c.stored) << c.what;
  }
}

}  // namespace
}  // namespace orvane
