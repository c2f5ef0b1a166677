// The signature and template dialogs' controller: loading and saving the
// block with its date formats, the preview, and closing an edited text.

#include <gtest/gtest.h>

#include "extras/Sig.h"
#include "extras/TemplateUnit.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {
using test::FixedClock;
using test::ReadFile;
using test::ScriptedPrompt;
using test::TempFolder;
using test::WriteFile;

class BlockText : public ::testing::Test {
 protected:
  // The account file, written Shift_JIS from UTF-8.
  void Given(const std::string& utf8) {
    WriteFile(home / "home.ini", WideToSjis(Utf8ToWide(utf8)));
  }
  std::string File() const { return WideToUtf8(SjisToWide(ReadFile(home / "home.ini"))); }
  std::optional<std::string> Stored(const char* section, const char* key) const {
    auto value = settings.AccountFile("home").Load().Find(section, key);
    if (!value) return std::nullopt;
    return WideToUtf8(SjisToWide(*value));
  }

  test::ScopedTimeZone japan{"Asia/Tokyo"};
  TempFolder home;
  IniFileUnit settings{home.Path()};
  FixedClock clock{test::JapanNoon()};
  ScriptedPrompt prompt;
  TSigForm signature{settings, clock, prompt, "home"};
  TTemplateForm reply{settings, clock, prompt, "home"};
};

TEST_F(BlockText, LoadsTheBlockAndItsDateFormats) {
  Given(
      "[Account]\r\nName=山田 太郎\r\n[Signature]\r\nDateTime2=yyyy\r\nLineCount=3\r\n"
      "Line1=\"--\"\r\nLine2=\"  先頭の空白 \"\r\nLine3=\"%name%\"\r\n"
      "[Template]\r\nLineCount=1\r\nLine1=\"%fname% さん\"\r\n");
  EXPECT_EQ(signature.Load(), u"--\r\n  先頭の空白 \r\n%name%");
  EXPECT_EQ(signature.DateFormats(), (std::array<WideString, 3>{u"", u"yyyy", u""}));
  EXPECT_FALSE(signature.PreviewShowing());
  EXPECT_EQ(reply.Load(), u"%fname% さん");
  EXPECT_EQ(TSigForm(settings, clock, prompt, "nobody").Load(), u"");
}

TEST_F(BlockText, SavingKeepsBlanksAndAnEmptyTextLeavesOnlyTheFormats) {
  struct Case {
    const char16_t* text;
    const char16_t* reloaded;
    std::optional<std::string> lineCount;
  } cases[] = {
      {u"  前に空白\r\n後ろに空白  \r\n", u"  前に空白\r\n後ろに空白  ", "2"},
      {u"一行", u"一行", "1"},
      {u"\r\n\r\n真ん中\r\n", u"\r\n\r\n真ん中", "3"},
      {u"", u"", std::nullopt},
  };
  for (const auto& c : cases) {
    Given("[Signature]\r\nLineCount=2\r\nLine1=\"old\"\r\nLine2=\"old\"\r\nDateTime1=hh:nn\r\n");
    signature.Load();
    signature.Save(c.text);
    EXPECT_EQ(Stored("Signature", "LineCount"), c.lineCount);
    EXPECT_EQ(Stored("Signature", "DateTime1"), "hh:nn");
    EXPECT_TRUE(Stored("Signature", "DateTime3").has_value());
    EXPECT_EQ(signature.Load(), c.reloaded);
    // An empty signature is no signature: nothing for a message to carry.
    EXPECT_EQ(settings.ReadSignatureBlock("home").empty(), !c.lineCount.has_value());
  }
}

TEST_F(BlockText, PreviewExpandsTheEditorTextAndShowsItsSize) {
  Given("[Account]\r\nName=山田\r\nAddress=taro@example.jp\r\n[Signature]\r\nDateTime1=yyyy\r\n");
  struct Case {
    TBlockTextForm* form;
    const char16_t* text;
    const char16_t* preview;
    const char16_t* size;
  } cases[] = {
      {&signature, u"%fname%", u"元メールの送信者", u"16 byte"},
      {&reply, u"%fname%", u"元メールの送信者", u"16 byte"},
      {&signature, u"%NAME% <%address%>\r\n%datetime1%", u"山田 <taro@example.jp>\r\n2003",
       u"28 byte"},
      {&signature, u"", u"", u"0 byte"},
  };
  for (const auto& c : cases) {
    c.form->Load();
    EXPECT_EQ(c.form->PreviewHint(), u"プレビュー");
    c.form->TogglePreview(c.text);
    EXPECT_TRUE(c.form->PreviewShowing());
    EXPECT_EQ(c.form->PreviewText(), c.preview);
    EXPECT_EQ(c.form->PreviewSizeText(), c.size);
    EXPECT_EQ(c.form->PreviewHint(), u"編集モードへ");
    c.form->TogglePreview(c.text);
    EXPECT_FALSE(c.form->PreviewShowing());
    EXPECT_EQ(c.form->PreviewSizeText(), u"");
    EXPECT_EQ(c.form->PreviewHint(), u"プレビュー");
  }
}

TEST_F(BlockText, CaretIsShownFromOne) {
  struct Case {
    int line, column;
    const char16_t* text;
  } cases[] = {{0, 0, u"1 : 1"}, {2, 5, u"3 : 6"}, {99, 0, u"100 : 1"}};
  for (const auto& c : cases) EXPECT_EQ(TBlockTextForm::CaretText(c.line, c.column), c.text);
}

TEST_F(BlockText, ADateFormatIsStoredAtOnceAndRefreshesThePreview) {
  Given("[Signature]\r\nLineCount=1\r\nLine1=\"old text\"\r\nDateTime2=yyyy\r\n");
  signature.Load();
  signature.TogglePreview(u"%datetime2%");
  EXPECT_EQ(signature.PreviewText(), u"2003");

  prompt.inputs = {u"m/d", std::nullopt};
  EXPECT_TRUE(signature.AskDateFormat(1, u"%datetime2%"));
  EXPECT_EQ(prompt.shown.back().caption, u"Orvane");
  EXPECT_EQ(prompt.shown.back().text, u"日付と時間の書式を設定");
  EXPECT_EQ(prompt.presets.back(), u"yyyy");
  EXPECT_EQ(signature.PreviewText(), u"1/5");
  EXPECT_EQ(Stored("Signature", "DateTime2"), "m/d");
  // Cancelled: nothing changes.
  EXPECT_FALSE(signature.AskDateFormat(1, u"%datetime2%"));
  EXPECT_EQ(Stored("Signature", "DateTime2"), "m/d");

  // The text is discarded; the format stays.
  prompt.answers = {PromptAnswer::No};
  EXPECT_TRUE(signature.Close(true, u"new text"));
  EXPECT_EQ(Stored("Signature", "Line1"), "old text");
  EXPECT_EQ(Stored("Signature", "DateTime2"), "m/d");
  EXPECT_EQ(signature.Load(), u"old text");
  EXPECT_EQ(signature.DateFormats()[1], u"m/d");
}

TEST_F(BlockText, ClosingAnEditedTextAsksWhetherToSave) {
  struct Case {
    bool modified;
    std::optional<PromptAnswer> answer;  // none: no question
    bool closes;
    const char* stored;
  } cases[] = {
      {false, std::nullopt, true, "old"},
      {true, PromptAnswer::Yes, true, "new"},
      {true, PromptAnswer::No, true, "old"},
      {true, PromptAnswer::Cancel, false, "old"},
  };
  for (const auto& c : cases) {
    Given("[Template]\r\nLineCount=1\r\nLine1=\"old\"\r\n");
    prompt.shown.clear();
    if (c.answer) prompt.answers = {*c.answer};
    reply.Load();
    EXPECT_EQ(reply.Close(c.modified, u"new"), c.closes);
    EXPECT_EQ(Stored("Template", "Line1"), c.stored);
    const std::vector<WideString> asked =
        c.answer ? std::vector<WideString>{u"更新されています。保存して閉じますか?"}
                 : std::vector<WideString>{};
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Question), asked);
  }
}

}  // namespace
}  // namespace orvane
