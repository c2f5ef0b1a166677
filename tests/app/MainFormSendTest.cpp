#include <gtest/gtest.h>

#include <filesystem>

#include "MainFormFixture.h"
#include "UnattendedWindow.h"
#include "support/ScriptedWarnings.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

// The Send command up to the send window: the message file first, then the
// checks.
TEST(MainFormSend, WritesTheFileBeforeTheChecks) {
  enum class Outcome { Send, Stop, Fails };
  struct Row {
    const char* name;
    bool fileSave;
    bool warn;  // the subject rule is on and fires
    TWarningChoice choice;
    bool shown;  // false: no window can show the warnings, so the checks fail
    Outcome outcome;
    bool fileWritten;
  } rows[] = {
      {"plain send", false, false, TWarningChoice::GoOn, true, Outcome::Send, false},
      {"FileSave", true, false, TWarningChoice::GoOn, true, Outcome::Send, true},
      {"FileSave, going on at the warnings", true, true, TWarningChoice::GoOn, true, Outcome::Send,
       true},
      {"FileSave, stopped at the warnings", true, true, TWarningChoice::Stop, true, Outcome::Stop,
       true},
      {"stopped without FileSave", false, true, TWarningChoice::Stop, true, Outcome::Stop, false},
      {"FileSave, the checks fail", true, true, TWarningChoice::GoOn, false, Outcome::Fails, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder home;
    FixedClock clock;
    RecordingShell shell;
    MemoryClipboard clipboard;
    ScriptedPrompt prompt;
    const IniFileUnit settings(home.Path());
    TOrvaneMainForm form(MainFormServices{settings, clock, shell, clipboard, prompt, home.Path()},
                         Arguments{u"orvane"});
    form.Draft.ToText = u"hanako@example.jp";
    form.Draft.BccText = u"secret@example.jp";
    form.Draft.Subject = row.warn ? u"" : u"見積";
    form.Draft.BodyFileName = home / "body.txt";
    WriteFile(home / "body.txt", "本文\n");
    settings.Write(keys::kFileSave, row.fileSave);
    settings.Write(keys::kWarnSubject, row.warn);
    ScriptedWarnings display(row.choice);
    if (row.shown) form.SetWarningDisplay(&display);
    UnattendedWindow window(false);
    const SendOutcome outcome = form.Send(window);
    EXPECT_EQ(window.jobs.size(), row.outcome == Outcome::Send ? 1u : 0u);
    switch (row.outcome) {
      case Outcome::Send:
        break;
      case Outcome::Stop:
        EXPECT_EQ(outcome.stage, SendStage::Checks);
        EXPECT_EQ(display.shown.size(), 1u);
        break;
      case Outcome::Fails:
        EXPECT_EQ(outcome.stage, SendStage::Checks);
        EXPECT_EQ(window.errors, std::vector<WideString>{u"警告を表示するウィンドウがありません"});
        break;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(home.Path()))
      files += entry.path().extension() == ".eml";
    EXPECT_EQ(files, row.fileWritten ? 1 : 0);
  }
}

// The send window gets the message with its Bcc field (the sent log reads
// it) and every envelope recipient, the sender's own blind copy included.
TEST(MainFormSend, TheJobHoldsTheComposedMessageAndEveryRecipient) {
  TempFolder home;
  FixedClock clock;
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  WriteFile(home / "work.ini", "[Account]\r\nAddress=taro@example.jp\r\n");
  WriteFile(home / "body.txt", "本文\n");
  TOrvaneMainForm form(
      MainFormServices{IniFileUnit(home.Path()), clock, shell, clipboard, prompt, home.Path()},
      Arguments{u"orvane"});
  form.AccountName = "work";
  form.Draft.ToText = u"a@example.jp";
  form.Draft.CcText = u"b@example.jp";
  form.Draft.BccText = u"c@example.jp";
  form.Draft.PostSelf = true;
  form.Draft.BodyFileName = home / "body.txt";
  ScriptedWarnings display;
  form.SetWarningDisplay(&display);
  UnattendedWindow window(false);
  form.Send(window);
  ASSERT_EQ(window.jobs.size(), 1u);
  const SendJob& job = window.jobs[0];
  EXPECT_EQ(job.accountName, "work");
  EXPECT_EQ(*job.message, form.MIME.MessageText());
  EXPECT_NE(job.message->find("\r\nBcc: "), std::string::npos);
  EXPECT_EQ(job.recipients, (std::vector<AnsiString>{"a@example.jp", "b@example.jp", "c@example.jp",
                                                     "taro@example.jp"}));
}

}  // namespace
}  // namespace orvane::test
