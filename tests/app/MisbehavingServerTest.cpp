// Servers that misbehave at every step of a delivery or a POP3 login. The
// send window must end the attempt, never call a failure a success, tell
// the user in Japanese what happened and keep the password out of the log.
#include <gtest/gtest.h>

#include "SendFixture.h"

namespace orvane::test {
namespace {

using std::chrono::seconds;

// MAIL FROM and the two recipients accepted, DATA answered with 354.
void UpToData(Peer& p) {
  Greet(p);
  p.Exchange("250 sender ok\r\n");
  p.Exchange("250 ok\r\n");
  p.Exchange("250 ok\r\n");
  p.Exchange("354 go ahead\r\n");
}

bool IsJapanese(const std::string& line) {
  for (unsigned char c : line)
    if (c >= 0xE3 && c <= 0xE9) return true;  // a lead byte of kana and kanji in UTF-8
  return false;
}

TEST_F(SendTest, AMisbehavingSmtpServerEndsTheAttemptAsAFailure) {
  struct Case {
    const char* name;
    ScriptedServer::Script script;
    bool success;
    const char* logged;  // a part of some line of the log
  } cases[] = {
      {"greeting 554", [](Peer& p) { p.Send("554 no service\r\n"); }, false,
       "サーバからの応答... 【サーバーがこのメールを受け取りませんでした】 554 no service"},
      {"multi-line greeting ending in 554",
       [](Peer& p) {
         p.Send("220-welcome\r\n554 but not you\r\n");
         p.WaitForClose(seconds(10));
       },
       false, "送信に失敗しました (Connect)"},
      {"multi-line MAIL reply ending in 550",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250-fine\r\n550 but no\r\n");
         p.WaitForClose(seconds(10));
       },
       false, "送信に失敗しました (From)"},
      {"421 mid-session",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 sender ok\r\n");
         p.Exchange("421 shutting down\r\n");
       },
       false,
       "サーバからの応答... 【サーバーが接続を終えました。しばらくしてから送り直してください】 "
       "421 shutting down"},
      {"closed during DATA",
       [](Peer& p) {
         UpToData(p);
         p.ReadLine();
       },
       false, "が接続を切りました"},
      {"closed after the final dot",
       [](Peer& p) {
         UpToData(p);
         p.ReadData();
       },
       false, "が接続を切りました"},
      {"reset after the final dot",
       [](Peer& p) {
         UpToData(p);
         p.ReadData();
         p.Reset();
       },
       false, "との通信が切れました"},
      {"552 after DATA",
       [](Peer& p) {
         UpToData(p);
         p.ReadData();
         p.Send("552 too big\r\n");
         p.WaitForClose(seconds(10));
       },
       false,
       "サーバからの応答... 【メールが大きすぎるか、相手のメールボックスが一杯です】 552 too big"},
      {"one recipient refused",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 sender ok\r\n");
         p.Exchange("550 no such user\r\n");
         p.Exchange("250 ok\r\n");
         p.Exchange("354 go ahead\r\n");
         p.ReadData();
         p.Send("250 queued\r\n");
         p.Exchange("221 bye\r\n");
       },
       true,
       "サーバからの応答... 【宛先のメールボックスが使えないか、送信が断られました】 "
       "550 no such user"},
      {"garbage greeting",
       [](Peer& p) {
         p.Send("hello there\r\n");
         p.WaitForClose(seconds(10));
       },
       false, "送信に失敗しました (Connect)"},
      {"overlong reply line",
       [](Peer& p) {
         Greet(p);
         p.Send(std::string(100000, '2') + "\r\n");
         p.WaitForClose(seconds(10));
       },
       false, "の応答が長すぎます"},
      {"closed after the greeting", [](Peer& p) { p.Send("220 mx\r\n"); }, false,
       "送信に失敗しました "},
      {"STARTTLS advertised but refused",
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 STARTTLS\r\n");
         p.Exchange("454 TLS not available\r\n");
         p.WaitForClose(seconds(10));
       },
       false,
       "サーバからの応答... 【サーバーが一時的に認証や暗号化を受け付けません】 "
       "454 TLS not available"},
      {"STARTTLS accepted, handshake fails",
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 STARTTLS\r\n");
         p.Exchange("220 go ahead\r\n");
         p.Send("this is no TLS record\r\n");
         p.WaitForClose(seconds(10));
       },
       false, "送信に失敗しました (TLS)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    delivered.clear();
    ScriptedServer server(c.script);
    const bool tls = std::string(c.name).starts_with("STARTTLS");
    WriteAccount("SMTP=127.0.0.1\r\nSMTPPORT=" + std::to_string(server.Port()) +
                 "\r\nUserID=orvane\r\nPass=" + kCanaryPassword + "\r\n" +
                 (tls ? "Security=1\r\n" : ""));
    auto form = MakeForm(kMessage, {"a@example.com", "b@example.com"});
    Run(*form);
    server.Join();
    const std::vector<std::string> log = LogOf(*form);
    std::string all;
    for (const std::string& line : log) all += line + "\n";
    SCOPED_TRACE(all);
    EXPECT_EQ(delivered, std::vector<bool>{c.success});
    EXPECT_EQ(form->State(), SendState::Ended);
    EXPECT_TRUE(form->CloseEnabled());
    EXPECT_NE(all.find(c.logged), std::string::npos) << c.logged;
    const bool reportedSuccess =
        std::find(log.begin(), log.end(), "送信が無事に終了しました") != log.end();
    EXPECT_EQ(reportedSuccess, c.success);
    if (!c.success) {
      // The last lines say what went wrong, in the user's language.
      ASSERT_FALSE(log.empty());
      EXPECT_TRUE(IsJapanese(log.back()));
      EXPECT_EQ(WideToUtf8(form->Status()).rfind("送信に失敗しました", 0), 0u);
    }
    EXPECT_EQ(all.find(kCanaryPassword), std::string::npos);
  }
}

TEST_F(SendTest, AMisbehavingPop3ServerAbortsBeforeSmtp) {
  struct Case {
    const char* name;
    const char* account;
    ScriptedServer::Script script;
  } cases[] = {
      {"-ERR on USER", "",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("-ERR no such user\r\n");
         p.WaitForClose(seconds(10));
       }},
      {"-ERR on PASS", "",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK\r\n");
         p.Exchange("-ERR wrong password\r\n");
         p.WaitForClose(seconds(10));
       }},
      {"-ERR on APOP", "APOP=-1\r\n",
       [](Peer& p) {
         p.Send("+OK ready <1896.697170952@dbc.mtview.ca.us>\r\n");
         p.Exchange("-ERR permission denied\r\n");
         p.WaitForClose(seconds(10));
       }},
      {"closed after the greeting", "", [](Peer& p) { p.Send("+OK ready\r\n"); }},
      {"-ERR greeting", "", [](Peer& p) { p.Send("-ERR busy\r\n"); }},
      {"garbage greeting", "",
       [](Peer& p) {
         p.Send("hello\r\n");
         p.WaitForClose(seconds(10));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    delivered.clear();
    ScriptedServer server(c.script);
    WriteAccount(std::string(c.account) +
                 "PopBeforeSmtp=-1\r\nPop3=127.0.0.1\r\nPOP3PORT=" + std::to_string(server.Port()) +
                 "\r\nSMTP=127.0.0.1\r\nSMTPPORT=" + std::to_string(UnusedPort()) +
                 "\r\nUserID=orvane\r\nPass=" + kCanaryPassword + "\r\n");
    auto form = MakeForm();
    Run(*form);
    server.Join();
    const std::vector<std::string> log = LogOf(*form);
    std::string all;
    for (const std::string& line : log) all += line + "\n";
    SCOPED_TRACE(all);
    EXPECT_EQ(form->State(), SendState::Aborted);
    EXPECT_EQ(form->Caption(), u"送信中止");
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(all.find("送信が無事に終了しました"), std::string::npos);
    EXPECT_EQ(all.find(kCanaryPassword), std::string::npos);
    EXPECT_NE(all.find("POP 認証に失敗"), std::string::npos);
    EXPECT_TRUE(form->Smtp().Items().empty());
  }
}

}  // namespace
}  // namespace orvane::test
