#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "MainFormFixture.h"
#include "app/SendSequence.h"
#include "platform/Path.h"
#include "support/ScriptedWarnings.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// ファイル作成 over a draft whose message file is named by its subject: the
// file is written only when the checks let it go on, and what ended the
// sequence otherwise is its reason.
class FileSequence : public MainFormTest {};

TEST_F(FileSequence, WritesTheFileOnlyWhenTheChecksLetItGoOn) {
  struct Row {
    const char* name;
    std::function<void(MessageDraft&)> change;
    TWarningChoice answer;
    bool shown;     // a warning display is there
    size_t warned;  // times it was shown
    SendStage stage;
    WideString reason;
  } rows[] = {
      {"no rule on", [](auto&) {}, TWarningChoice::Stop, true, 0, SendStage::MessageFile, u""},
      {"a warning the user goes past",
       [this](auto&) { Settings().Write(keys::kWarnDispostition, true); }, TWarningChoice::GoOn,
       true, 1, SendStage::MessageFile, u""},
      {"a warning the user stops at",
       [this](auto&) { Settings().Write(keys::kWarnDispostition, true); }, TWarningChoice::Stop,
       true, 1, SendStage::Checks, u""},
      {"no one to show the warnings to: no checks",
       [this](auto&) { Settings().Write(keys::kWarnDispostition, true); }, TWarningChoice::Stop,
       false, 0, SendStage::MessageFile, u""},
      {"a folder where the file would go",
       [this](auto&) { fs::create_directory(home / "見積.eml"); }, TWarningChoice::GoOn, true, 0,
       SendStage::MessageFile, u"ファイル " + PathToWide(home / "見積.eml") + u" を作成できません"},
      {"a signature whose line count is not a number",
       [this](auto&) {
         Settings().WriteAccountValue("NewAccount", keys::kSignatureSection, "LineCount", "x");
       },
       TWarningChoice::GoOn, true, 0, SendStage::Compose, u"'x' は有効な整数値ではありません"},
  };
  SendClients clients;
  TAccessTokens tokens(clock);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto form = StartDraft("お見積りをお送りします。\n");
    form->ToggleDisposition();
    row.change(form->Draft);
    ScriptedWarnings warnings(row.answer);
    const SendOutcome outcome =
        RunFileSequence({Settings(), clock, clients, tokens},
                        {form->Draft, {}, form->AccountName, u"3.2.6", {}},
                        {row.shown ? &warnings : nullptr}, form->MIME);

    EXPECT_EQ(outcome.stage, row.stage);
    EXPECT_EQ(outcome.reason, row.reason);
    EXPECT_EQ(warnings.shown.size(), row.warned);
    const bool written = row.stage == SendStage::MessageFile && row.reason.empty();
    EXPECT_EQ(outcome.messageFile.has_value(), written);
    EXPECT_EQ(fs::is_regular_file(home / "見積.eml"), written);
    // The file holds the message the checks read.
    if (written) {
      EXPECT_EQ(ReadFile(home / "見積.eml"), form->MIME.MessageText());
    }
    fs::remove_all(home / "見積.eml");
    Settings().Write(keys::kWarnDispostition, false);
    Settings().EraseAccountSection("NewAccount", keys::kSignatureSection);
  }
}

}  // namespace
}  // namespace orvane::test
