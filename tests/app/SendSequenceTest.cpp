#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "UnattendedWindow.h"
#include "app/ComposeMessage.h"
#include "app/SentLog.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/ScriptedConfirm.h"
#include "support/ScriptedWarnings.h"
#include "support/TempFolder.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

// The server's side: -1 nothing listens, 0 everything is accepted, n the
// n-th reply after EHLO is the refusal.
ScriptedServer::Script Server(int refusedAt, const char* refusal) {
  return [=](Peer& p) {
    Greet(p, "250-mx\r\n250 AUTH LOGIN\r\n");
    if (refusedAt == 0) return Accept(p);
    for (int i = 1; i < refusedAt; ++i) p.Exchange("250 ok\r\n");
    p.Exchange(refusal);
    p.WaitForClose(std::chrono::seconds(10));
  };
}

// The send sequence without a window, stage by stage: where it ends, what
// it tells, what it leaves. The draft attaches a file named explicitly; the
// attachment folder holds another, which no stage may read.
TEST(SendSequence, EndsAtEachStageWithItsOutcome) {
  using enum SendStage;
  using enum ReplyClass;
  constexpr auto kGoOn = TWarningChoice::GoOn;
  constexpr auto kNone = std::nullopt;
  struct Row {
    const char* name;
    std::string account;  // after the address and the server; "%u": a port nobody uses
    std::string general;  // orvane.ini
    TWarningChoice warnings;
    std::optional<TConfirmChoice> confirm;  // none: no confirmation
    int refusedAt;                          // see Server
    const char* refusal;
    SendStage stage;
    std::optional<TSmtpErrorEventType> smtpError;
    ReplyClass reply;
    const char* reason;  // part of the outcome's reason; "" for none
  } rows[] = {
      {"composing fails", "[Signature]\r\nLineCount=x\r\n", "", kGoOn, kNone, -1, "", Compose,
       kNone, None, "'x' は有効な整数値ではありません"},
      {"the message file cannot be written", "", "[Option]\r\nFileSave=1\r\nExtention=eml/x\r\n",
       kGoOn, kNone, -1, "", MessageFile, kNone, None, "を作成できません"},
      {"stopped at the warnings", "", "[Warning]\r\nAttach=1\r\n", TWarningChoice::Stop, kNone, -1,
       "", Checks, kNone, None, ""},
      {"not confirmed", "", "[Confirm]\r\nEnabled=1\r\n", kGoOn, TConfirmChoice::Stop, -1, "",
       Confirm, kNone, None, ""},
      {"a port that is no number", "POP3PORT=pop\r\n", "", kGoOn, kNone, -1, "", Setup, kNone, None,
       "'pop' は有効な整数値ではありません"},
      {"POP before SMTP finds no server", "PopBeforeSmtp=-1\r\nPOP3=127.0.0.1\r\nPOP3PORT=%u\r\n",
       "", kGoOn, kNone, -1, "", PopLogin, kNone, None, "接続できません"},
      {"an OAuth account without its client", "AuthMethod=1\r\n", "", kGoOn, kNone, -1, "", SignIn,
       seAuth, None, "クライアントID"},
      {"warned, confirmed and delivered", "", "[Warning]\r\nAttach=1\r\n[Confirm]\r\nEnabled=1\r\n",
       kGoOn, TConfirmChoice::GoOn, 0, "", Delivery, kNone, Positive, ""},
      {"the login refused", "Auth=-1\r\nUserID=orvane\r\nPass=secret\r\n", "", kGoOn, kNone, 1,
       "535 5.7.8 no\r\n", Delivery, seAuth, PermanentNegative, ""},
      {"the recipient refused", "", "", kGoOn, kNone, 2, "550 no such user\r\n", Delivery, seRcpt,
       PermanentNegative, ""},
      {"DATA put off", "", "", kGoOn, kNone, 3, "451 later\r\n", Delivery, seData,
       TransientNegative, ""},
      {"no SMTP server", "", "", kGoOn, kNone, -1, "", Delivery, seConnect, None, "接続できません"},
      {"delivered, the sent log blocked", "", "", kGoOn, kNone, 0, "", SentLog, kNone, Positive,
       "SendedLog"},
  };
  FixedClock clock;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The stages before Setup start no attempt; an attempt that ended is
    // recorded; a delivery that ended, a failed sign-in included, is the
    // last delivery; a failure before the attempt's log is shown.
    const bool success = row.reply == Positive;
    const bool attempted = row.stage >= Setup;
    const bool recorded = attempted && row.stage != Setup && row.stage != SentLog;
    const bool shown = *row.reason && !recorded;
    TempFolder home;
    const IniFileUnit settings(home.Path());
    std::unique_ptr<ScriptedServer> smtp;
    if (row.refusedAt >= 0)
      smtp = std::make_unique<ScriptedServer>(Server(row.refusedAt, row.refusal));
    std::string account = row.account;
    if (size_t at = account.find("%u"); at != std::string::npos)
      account.replace(at, 2, std::to_string(UnusedPort()));
    WriteFile(home / "work.ini",
              "[Account]\r\nAddress=taro@example.jp\r\nSMTP=127.0.0.1\r\nSMTPPORT=" +
                  std::to_string(smtp ? smtp->Port() : UnusedPort()) + "\r\n" + account);
    WriteFile(home / "orvane.ini", row.general);
    WriteFile(home / "files" / "note.txt", "attached");
    WriteFile(settings.AttachFolder() / "decoy.txt", "not attached");
    if (row.stage == SentLog) WriteFile(settings.SentLogFolder(), "in the way");
    MessageDraft draft;
    draft.ToText = u"hanako@example.jp";
    draft.Subject = u"見積";
    SendClients clients(kQuickPause);
    TAccessTokens tokens(clock);
    TZelMime mime(clock, home.Path());
    SetUpMessageComponent(mime);
    ScriptedWarnings warnings(row.warnings);
    std::optional<ScriptedConfirm> confirm;
    if (row.confirm) confirm.emplace(*row.confirm);
    UnattendedWindow window;

    const SendOutcome outcome = RunSendSequence(
        {settings, clock, clients, tokens},
        {draft, {home / "files" / "note.txt"}, "work", u"3.2.6", {}},
        {&warnings, window, confirm ? &*confirm : nullptr}, mime);

    EXPECT_EQ(outcome.stage, row.stage);
    EXPECT_EQ(outcome.success, success);
    EXPECT_EQ(outcome.smtpError, row.smtpError);
    EXPECT_EQ(outcome.reply, row.reply);
    const std::string reason = WideToUtf8(outcome.reason);
    EXPECT_TRUE(*row.reason ? reason.find(row.reason) != std::string::npos : reason.empty())
        << reason;
    EXPECT_EQ(DeliveryEnded(outcome), row.stage >= SignIn);
    EXPECT_EQ(window.jobs.size(), attempted ? 1u : 0u);
    for (const SendJob& job : window.jobs) {
      EXPECT_NE(job.message->find("note.txt"), std::string::npos);
      EXPECT_EQ(job.message->find("decoy.txt"), std::string::npos);
      EXPECT_EQ(job.recipients, std::vector<AnsiString>{"hanako@example.jp"});
    }
    EXPECT_EQ(window.errors.size(), shown ? 1u : 0u);
    EXPECT_EQ(ReadSentLogEntries(SentLogIndexPath(settings, "work")).size(), recorded ? 1u : 0u);
    // Without a log window no place of one is stored.
    EXPECT_EQ(settings.ReadGeneralInteger("Log", "Width", 0), 0);
  }
}

// The header field's line in a composed message; empty when it has none.
std::string FieldLine(const std::string& message, const std::string& name) {
  const size_t at = message.find("\r\n" + name + ": ");
  if (at == std::string::npos) return {};
  return message.substr(at + 2, message.find("\r\n", at + 2) - at - 2);
}

// What the confirmation does to a send: a move into Bcc reaches the draft
// and the message sent, whether the user then sends or stops; a send is
// held for DelaySeconds only when someone at the screen confirms it.
TEST(SendSequence, TheConfirmationMovesRecipientsAndHoldsTheSend) {
  struct Row {
    const char* name;
    const char* general;                    // orvane.ini
    std::optional<TConfirmChoice> confirm;  // none: no one at the screen
    int asked;
    bool moved;  // a@one.example and b@two.example went into Bcc
    int attempts;
    int delaySeconds;
  } rows[] = {
      {"moved, sent and held", "[Confirm]\r\nEnabled=1\r\nDelaySeconds=3\r\n", TConfirmChoice::GoOn,
       1, true, 1, 3},
      {"moved, then stopped", "[Confirm]\r\nEnabled=1\r\n", TConfirmChoice::Stop, 1, true, 0, 0},
      {"confirmation off, still held", "[Confirm]\r\nDelaySeconds=3\r\n", TConfirmChoice::GoOn, 0,
       false, 1, 3},
      {"no one at the screen", "[Confirm]\r\nEnabled=1\r\nDelaySeconds=3\r\n", std::nullopt, 0,
       false, 1, 0},
  };
  FixedClock clock;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder home;
    const IniFileUnit settings(home.Path());
    WriteFile(home / "work.ini", "[Account]\r\nAddress=taro@example.jp\r\n");
    WriteFile(home / "orvane.ini", row.general);
    MessageDraft draft;
    draft.ToText = u"hanako@example.jp, a@one.example";
    draft.CcText = u"b@two.example";
    SendClients clients(kQuickPause);
    TAccessTokens tokens(clock);
    TZelMime mime(clock, home.Path());
    SetUpMessageComponent(mime);
    ScriptedWarnings warnings(TWarningChoice::GoOn);
    std::optional<ScriptedConfirm> confirm;
    if (row.confirm) confirm.emplace(*row.confirm, true);
    UnattendedWindow window(false);

    RunSendSequence({settings, clock, clients, tokens},
                    {draft, {}, "work", u"3.2.6", {}},
                    {&warnings, window, confirm ? &*confirm : nullptr}, mime);

    EXPECT_EQ(confirm ? confirm->asked : 0, row.asked);
    EXPECT_EQ(draft.BccText.find(u"a@one.example") != WideString::npos, row.moved);
    EXPECT_EQ(draft.BccText.find(u"b@two.example") != WideString::npos, row.moved);
    EXPECT_EQ(draft.ToText.find(u"a@one.example") == WideString::npos, row.moved);
    ASSERT_EQ(window.jobs.size(), static_cast<size_t>(row.attempts));
    for (const SendJob& job : window.jobs) {
      EXPECT_EQ(job.delaySeconds, row.delaySeconds);
      EXPECT_EQ(FieldLine(*job.message, "To").find("a@one.example") == std::string::npos,
                row.moved);
      EXPECT_EQ(FieldLine(*job.message, "Bcc").find("b@two.example") != std::string::npos,
                row.moved);
      EXPECT_EQ(job.recipients.size(), 3u);
    }
  }
}

}  // namespace
}  // namespace orvane::test
