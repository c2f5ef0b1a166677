#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "MainFormFixture.h"
#include "platform/Error.h"
#include "platform/Path.h"
#include "support/ScriptedWarnings.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// ファイル作成 over a draft whose message file is named by its subject.
class FileMake : public MainFormTest {
 protected:
  std::unique_ptr<TOrvaneMainForm> Start() { return StartDraft("お見積りをお送りします。\n"); }
};

TEST_F(FileMake, WritesTheFileOnlyWhenTheChecksLetItGoOn) {
  struct Row {
    const char* name;
    std::function<void(TOrvaneMainForm&)> change;
    TWarningChoice answer;
    size_t warned;  // times the warning dialog was shown
    bool written;
  } rows[] = {
      {"no rule on", [](auto&) {}, TWarningChoice::Stop, 0, true},
      {"a warning the user goes past",
       [](auto& f) { f.Settings().Write(keys::kWarnDispostition, true); }, TWarningChoice::GoOn, 1,
       true},
      {"a warning the user stops at",
       [](auto& f) { f.Settings().Write(keys::kWarnDispostition, true); }, TWarningChoice::Stop, 1,
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto form = Start();
    form->ToggleDisposition();
    row.change(*form);
    ScriptedWarnings warnings(row.answer);
    form->SetWarningDisplay(&warnings);
    prompt.shown.clear();

    const auto written = form->FileMake();
    EXPECT_FALSE(form->MakeFile);
    EXPECT_EQ(warnings.shown.size(), row.warned);
    EXPECT_EQ(written.has_value(), row.written);
    EXPECT_EQ(fs::exists(home / "見積.eml"), row.written);
    if (written) {
      EXPECT_EQ(*written, home / "見積.eml");
      // The second composition is the one in the file.
      EXPECT_EQ(ReadFile(*written), form->MIME.MessageText());
    }
    EXPECT_EQ(prompt.shown, std::vector<ScriptedPrompt::Shown>{});
    fs::remove_all(home / "見積.eml");
    fs::remove_all(home / "body.txt");
    Settings().Write(keys::kWarnDispostition, false);
  }
}

TEST_F(FileMake, AFailureIsShownAndMakeFileCleared) {
  struct Row {
    const char* name;
    std::function<void(TOrvaneMainForm&, ScriptedWarnings&)> change;
    WideString error;
  } rows[] = {
      {"a folder where the file would go",
       [this](auto&, auto&) { fs::create_directory(home / "見積.eml"); },
       u"ファイル " + PathToWide(home / "見積.eml") + u" を作成できません"},
      {"a warning and no window to show it in",
       [](auto& f, auto&) {
         f.Settings().Write(keys::kWarnCc, true);
         f.Draft.CcText = u"jiro@example.jp";
         f.SetWarningDisplay(nullptr);
       },
       u"警告を表示するウィンドウがありません"},
      {"a signature whose line count is not a number",
       [](auto& f, auto&) {
         f.Settings().WriteAccountValue(f.AccountName, keys::kSignatureSection, "LineCount", "x");
       },
       u"'x' は有効な整数値ではありません"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto form = Start();
    ScriptedWarnings warnings;
    form->SetWarningDisplay(&warnings);
    row.change(*form, warnings);
    prompt.shown.clear();

    EXPECT_EQ(form->FileMake(), std::nullopt);
    EXPECT_FALSE(form->MakeFile);
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error), std::vector<WideString>{row.error});
    fs::remove_all(home / "見積.eml");
    Settings().Write(keys::kWarnCc, false);
    Settings().EraseAccountSection(form->AccountName, keys::kSignatureSection);
  }
}

}  // namespace
}  // namespace orvane::test
