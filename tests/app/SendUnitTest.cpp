#include <gtest/gtest.h>

#include "SendFixture.h"
#include "app/SentLog.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

std::string Port(int port) {
  return std::to_string(port);
}

TEST_F(SendTest, ReportsEveryStepOfADeliveryInTheLogAndTheStatusLine) {
  ScriptedServer server([](Peer& p) {
    Greet(p);
    Accept(p);
  });
  WriteAccount("Address=me@example.com\r\nSMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) +
               "\r\n");
  auto form = MakeForm();
  std::vector<std::string> statuses;
  int progressEvents = 0;
  form->OnChanged = [&] { statuses.push_back(WideToUtf8(form->Status())); };
  form->OnProgress = [&] { ++progressEvents; };
  EXPECT_EQ(form->Caption(), u"送信中...");
  EXPECT_FALSE(form->CloseEnabled());
  EXPECT_EQ(form->ProgressMax(), 100);
  Run(*form);
  EXPECT_EQ(
      LogOf(*form),
      (Lines{"通信開始... 2003/01/05 - 12:34:56", "サーバからの応答... 220 mx ready",
             "コマンドを送信... EHLO 127.0.0.1",
             "サーバからの応答... 250-mx greets you\r\n250 8BITMIME",
             "コマンドを送信... MAIL FROM:<me@example.com>", "サーバからの応答... 250 sender ok",
             "コマンドを送信... RCPT TO:<a@example.com>", "サーバからの応答... 250 recipient ok",
             "コマンドを送信... DATA", "サーバからの応答... 354 go ahead",
             "サーバからの応答... 250 queued", "コマンドを送信... QUIT",
             "サーバからの応答... 221 bye", "送信が無事に終了しました"}));
  ASSERT_GE(statuses.size(), 3u);
  EXPECT_EQ(statuses[1], "コマンドを送信中... EHLO 127.0.0.1");
  EXPECT_EQ(statuses.back(), "送信が無事に終了しました");
  EXPECT_EQ(form->Caption(), u"送信終了");
  EXPECT_TRUE(form->CloseEnabled());
  EXPECT_EQ(delivered, std::vector<bool>{true});
  // The message of 64 bytes went out as 67 with its terminating line.
  EXPECT_EQ(progressEvents, 1);
  EXPECT_EQ(form->ProgressMax(), 67);
  EXPECT_EQ(form->ProgressPosition(), 67);
}

// Each failing step and the stage label the last line gives it.
TEST_F(SendTest, AFailedDeliveryEndsWithTheStageLabel) {
  struct Case {
    const char* name;
    const char* account;  // besides the server
    ScriptedServer::Script script;
    const char* last;
    const char* explained = "";  // what the status adds: the server's last refusal explained
  } cases[] = {
      {"greeting", "", [](Peer& p) { p.Send("554 go away\r\n"); }, "送信に失敗しました (Connect)",
       "【サーバーがこのメールを受け取りませんでした】 554 go away"},
      {"auth", "Auth=-1\r\n",
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 8BITMIME\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       "送信に失敗しました (Auth)"},
      {"helo", "",
       [](Peer& p) {
         p.Send("220 mx\r\n");
         p.Exchange("502 no\r\n");
         p.Exchange("502 no\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       "送信に失敗しました (Helo)", "【サーバーに命令が通じませんでした】 502 no"},
      {"from", "",
       [](Peer& p) {
         Greet(p);
         p.Exchange("553 not you\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       "送信に失敗しました (From)", "【メールアドレスの形が受け付けられません】 553 not you"},
      {"every recipient refused", "",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 ok\r\n");
         p.Exchange("550 no such user\r\n");
         p.Exchange("550 no such user\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       "送信に失敗しました (Rcpt)",
       "【宛先のメールボックスが使えないか、送信が断られました】 550 no such user"},
      {"data", "",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 ok\r\n");
         p.Exchange("250 ok\r\n");
         p.Exchange("250 ok\r\n");
         p.Exchange("451 later\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       "送信に失敗しました (Data)",
       "【サーバー側のエラーで処理が中断しました。しばらくしてから送り直してください】 451 later"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    delivered.clear();
    ScriptedServer server(c.script);
    WriteAccount(std::string(c.account) + "SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) +
                 "\r\n");
    auto form = MakeForm(kMessage, {"a@example.com", "b@example.com"});
    Run(*form);
    server.Join();
    EXPECT_EQ(LogOf(*form).back(), c.last);
    EXPECT_EQ(WideToUtf8(form->Status()),
              std::string(c.last) + (*c.explained ? std::string(": ") + c.explained : ""));
    EXPECT_EQ(form->Caption(), u"送信終了");
    EXPECT_TRUE(form->CloseEnabled());
    EXPECT_EQ(delivered, std::vector<bool>{false});
  }
}

TEST_F(SendTest, StageLabelsFollowTheErrorKinds) {
  const char* labels[] = {"(Connect)", "(Auth)",    "(Ehlo)", "(Helo)", "(From)", "(Rcpt)",
                          "(Data)",    "(TimeOut)", "(TLS)",  "(Size)", ""};
  for (int kind = 0; kind < 11; ++kind) EXPECT_EQ(WideToUtf8(StageLabel(kind)), labels[kind]);
  EXPECT_EQ(StageLabel(-1), u"");
}

// The server's size limit is kept in the account, where [警告17] reads it;
// a message over it is not offered, and the window says why.
TEST_F(SendTest, TheServersSizeLimitIsKeptAndAMessageOverItIsNotOffered) {
  struct Row {
    const char* limit;
    bool offered;
  } rows[] = {{"1000", true}, {"50", false}};
  const std::string reason =
      "メールの大きさ (0.0 MB) がサーバーの上限 (0.0 MB) を超えています。"
      "添付ファイルを小さくするか分けて送ってください";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.limit);
    delivered.clear();
    const std::string ehlo = std::string("250-mx\r\n250 SIZE ") + row.limit + "\r\n";
    const bool offered = row.offered;
    ScriptedServer server([&](Peer& p) {
      Greet(p, ehlo);
      if (offered) return Accept(p);
      p.ReadLine();
    });
    WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) + "\r\n");
    auto form = MakeForm();
    Run(*form);
    server.Join();
    EXPECT_EQ(Settings().Read("work", keys::kSizeLimit), row.limit);
    EXPECT_EQ(delivered, std::vector<bool>{offered});
    if (offered) continue;
    EXPECT_EQ(WideToUtf8(form->Status()), "送信に失敗しました (Size): " + reason);
    EXPECT_EQ(LogOf(*form).back(), "エラー: " + reason);
    EXPECT_EQ(form->Outcome().serverReply, u"");
  }
}

TEST_F(SendTest, AnEhloErrorFollowedByADeliveryEndsWell) {
  ScriptedServer server([](Peer& p) {
    p.Send("220 mx\r\n");
    p.Exchange("500 what\r\n");
    p.Exchange("250 hello\r\n");
    Accept(p);
  });
  WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) + "\r\n");
  auto form = MakeForm();
  Run(*form);
  EXPECT_EQ(form->ErrorText(), u"(Ehlo)");
  EXPECT_EQ(LogOf(*form).back(), "送信が無事に終了しました");
  EXPECT_EQ(delivered, std::vector<bool>{true});
}

TEST_F(SendTest, OnlyTheTextMinusOneSwitchesAuthenticationOn) {
  for (const char* auth : {"1", "True", "-1"}) {
    SCOPED_TRACE(auth);
    // Whatever comes after EHLO, AUTH or MAIL, is refused.
    ScriptedServer server([](Peer& p) {
      Greet(p, "250-mx\r\n250 AUTH LOGIN\r\n");
      p.Exchange("530 no\r\n");
      p.WaitForClose(std::chrono::seconds(10));
    });
    WriteAccount(std::string("Auth=") + auth +
                 "\r\nSMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) + "\r\n");
    auto form = MakeForm();
    form->Show();
    EXPECT_EQ(form->Smtp().SmtpAuth(), std::string(auth) == "-1");
    EXPECT_TRUE(main.PumpUntil([&] { return form->State() != SendState::Sending; },
                               std::chrono::seconds(30)));
    server.Join();
    const bool authenticated = server.Received().find("AUTH LOGIN") != std::string::npos;
    EXPECT_EQ(authenticated, std::string(auth) == "-1");
  }
}

TEST_F(SendTest, APortThatIsNoNumberKeepsTheAttemptFromStarting) {
  for (const char* lines : {"SMTPPORT=smtp\r\n", "POP3PORT=\r\n"}) {
    SCOPED_TRACE(lines);
    WriteAccount(std::string("SMTP=127.0.0.1\r\n") + lines);
    auto form = MakeForm();
    EXPECT_THROW(form->Show(), ConvertError);
    EXPECT_TRUE(form->Smtp().Items().empty());
    EXPECT_TRUE(form->Pop().Items().empty());
    EXPECT_EQ(LogOf(*form), Lines{"通信開始... 2003/01/05 - 12:34:56"});
    EXPECT_EQ(delivered, std::vector<bool>{});
  }
  EXPECT_FALSE(std::filesystem::exists(Settings().SentLogFolder()));
}

TEST_F(SendTest, AnAccountWithoutAFileFailsToConnect) {
  auto form = std::make_unique<TSendForm>(
      SendServices{Settings(), clock, main, clients, tokens},
      SendJob{"NewAccount", std::make_shared<const AnsiString>(kMessage), {"a@example.com"}, {}});
  Run(*form);
  EXPECT_EQ(LogOf(*form),
            (Lines{"通信開始... 2003/01/05 - 12:34:56", "送信に失敗しました (Connect)",
                   "エラー: サーバが設定されていません"}));
}

TEST_F(SendTest, LocalReasonsFollowTheDocumentedLines) {
  const int unused = UnusedPort();
  struct Case {
    const char* name;
    ScriptedServer::Script script;  // null: nothing listens
    Lines last;
  } cases[] = {
      {"refused",
       nullptr,
       {"送信に失敗しました (Connect)",
        "エラー: 127.0.0.1:%p に接続できません (接続が拒否されました)"}},
      {"closed",
       [](Peer& p) {
         p.Send("220 mx\r\n");
         p.ReadLine();
       },
       {"送信に失敗しました ", "エラー: 127.0.0.1:%p が接続を切りました"}},
      {"refused by the server",
       [](Peer& p) { p.Send("554 no\r\n"); },
       {"サーバからの応答... 【サーバーがこのメールを受け取りませんでした】 554 no",
        "送信に失敗しました (Connect)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<ScriptedServer> server;
    if (c.script) server = std::make_unique<ScriptedServer>(c.script);
    const int port = server ? server->Port() : unused;
    WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(port) + "\r\n");
    auto form = MakeForm();
    Run(*form);
    if (server) server->Join();
    Lines lines = LogOf(*form);
    ASSERT_GE(lines.size(), 2u);
    Lines expected = c.last;
    for (std::string& line : expected)
      if (auto at = line.find("%p"); at != std::string::npos) line.replace(at, 2, Port(port));
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), expected);
  }
}

TEST_F(SendTest, TheServerNeverSeesTheBccField) {
  std::string data;
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    Accept(p, &data, 3);
  });
  WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) + "\r\n");
  const std::string message =
      "From: me@example.com\r\nTo: a@example.com\r\nBcc: secret@example.com,\r\n"
      " =?ISO-2022-JP?B?GyRCPnBKcxsoQg==?= <other@example.com>\r\nSubject: test\r\n\r\n"
      "Bcc: in the body stays\r\n";
  auto form = MakeForm(message, {"a@example.com", "secret@example.com", "other@example.com"});
  Run(*form);
  server.Join();
  EXPECT_EQ(data,
            "From: me@example.com\r\nTo: a@example.com\r\nSubject: test\r\n\r\n"
            "Bcc: in the body stays\r\n.\r\n");
  EXPECT_NE(server.Received().find("RCPT TO:<secret@example.com>\r\nRCPT TO:<other@example.com>"),
            std::string::npos);
}

TEST_F(SendTest, NoLogLineGivesThePasswordAway) {
  for (const char* mechanisms :
       {"250 AUTH CRAM-MD5\r\n", "250 AUTH LOGIN\r\n", "250 AUTH PLAIN\r\n"}) {
    SCOPED_TRACE(mechanisms);
    SecretWatch watch;
    ScriptedServer server([&](Peer& p) {
      Greet(p, std::string("250-mx\r\n") + mechanisms);
      const bool cram = std::string(mechanisms).find("CRAM") != std::string::npos;
      const bool login = std::string(mechanisms).find("LOGIN") != std::string::npos;
      p.Exchange(cram    ? "334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n"
                 : login ? "334 VXNlcm5hbWU6\r\n"
                         : "334 \r\n");
      if (login) p.Exchange("334 UGFzc3dvcmQ6\r\n");
      p.Exchange("235 ok\r\n");
      Accept(p);
    });
    WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) +
                 "\r\nAuth=-1\r\nUserID=orvane\r\nPass=" + kCanaryPassword + "\r\n");
    auto form = MakeForm();
    Run(*form);
    server.Join();
    EXPECT_NE(server.Received().find(mechanisms + 4), std::string::npos);
    EXPECT_EQ(delivered.back(), true);
    for (const WideString& line : form->LogLines()) watch.CheckServer(WideToSjis(line));
    EXPECT_EQ(watch.Checked(), static_cast<int>(form->LogLines().size()));
  }
}

TEST_F(SendTest, SecretsInCommandLinesAreMasked) {
  struct Case {
    const char* line;
    const char* shown;
  } cases[] = {
      {"PASS Canary-7f3Q9zx!", "PASS ********"},
      {"pass x", "pass ********"},
      {"APOP orvane 0123456789abcdef", "APOP ********"},
      {"AUTH PLAIN AG9ydmFuZQBDYW5hcnk=", "AUTH PLAIN ********"},
      {"AUTH LOGIN b3J2YW5l", "AUTH LOGIN ********"},
      {"AUTH CRAM-MD5", "AUTH CRAM-MD5"},
      {"PASS", "PASS"},
      {"MAIL FROM:<pass@example.com>", "MAIL FROM:<pass@example.com>"},
      {"RCPT TO:<a@example.com>", "RCPT TO:<a@example.com>"},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskSecrets(c.line), c.shown) << c.line;
}

TEST_F(SendTest, ClosingRecordsTheAttemptInTheSentLog) {
  ScriptedServer server([](Peer& p) {
    Greet(p);
    Accept(p);
  });
  WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(server.Port()) + "\r\n");
  auto form = MakeForm();
  // Not while sending.
  form->Close(LogWindowGeometry{1, 2, 3, 4});
  EXPECT_FALSE(std::filesystem::exists(Settings().SentLogFolder()));
  Run(*form);
  // The folder's place is taken by a file: the write fails, and once the
  // user has cleared the way the second press records the attempt.
  WriteFile(home / "SendedLog", "in the way");
  EXPECT_THROW(form->Close(LogWindowGeometry{10, 20, 300, 150}), Error);
  std::filesystem::remove(home / "SendedLog");
  form->Close(LogWindowGeometry{10, 20, 300, 150});
  const std::string log = ReadFile(home / "SendedLog" / "SLog0.Log");
  EXPECT_TRUE(log.starts_with("\x92\xca\x90\x4d\x8a\x4a\x8e\x6e... 2003/01/05 - 12:34:56\r\n"))
      << log;
  EXPECT_TRUE(log.ends_with(WideToSjis(u"送信が無事に終了しました\r\n")));
  EXPECT_EQ(
      ReadSentLogEntries(SentLogIndexPath(Settings(), "work")),
      (std::vector<SentLogEntry>{{"2003/01/05 12:34", "a@example.com", "test", "SLog0.Log"}}));
  EXPECT_EQ(Settings().ReadGeneralInteger("Log", "Width", 0), 300);
  EXPECT_EQ(Settings().ReadGeneralInteger("Log", "Top", 0), 20);
}

// The send delay counts whole seconds down by the clock; 取消 ends the
// attempt there. (The window's test proves that nothing connects and what
// the sent log says.)
TEST_F(SendTest, TheSendDelayCountsDownUntilTakenBack) {
  WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + Port(UnusedPort()) + "\r\n");
  const TimePoint start = clock.now;
  auto form = MakeForm(kMessage, {"a@example.com"}, 3);
  form->Show();
  for (const auto& [elapsedMs, seconds] : {std::pair{0, 3}, {1999, 2}, {2001, 1}}) {
    clock.Set(start + std::chrono::milliseconds(elapsedMs));
    form->Tick();
    EXPECT_EQ(WideToUtf8(form->Status()),
              "送信まで " + std::to_string(seconds) + " 秒 (取り消すには「取消」)");
    EXPECT_EQ(WideToUtf8(form->Caption()), "送信待ち");
    EXPECT_FALSE(form->CloseEnabled());
  }
  form->Cancel();
  EXPECT_EQ(WideToUtf8(form->Caption()), "送信取消");
  EXPECT_TRUE(form->CloseEnabled());
  EXPECT_EQ(form->Outcome().stage, SendStage::Cancelled);
  EXPECT_EQ(LogOf(*form), (Lines{"送信を取り消しました"}));
}

}  // namespace
}  // namespace orvane::test
