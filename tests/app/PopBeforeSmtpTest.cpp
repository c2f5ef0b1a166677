#include <gtest/gtest.h>

#include "SendFixture.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

// The POP3 login before the delivery: its outcome decides whether the
// SMTP server is contacted at all.
class PopBeforeSmtp : public SendTest {
 protected:
  void WriteAccounts(int popPort, int smtpPort) {
    WriteAccount("PopBeforeSmtp=-1\r\nPOP3=127.0.0.1\r\nPOP3PORT=" + std::to_string(popPort) +
                 "\r\nSMTP=127.0.0.1\r\nSMTPPORT=" + std::to_string(smtpPort) +
                 "\r\nUserID=orvane\r\nPass=" + kCanaryPassword + "\r\n");
  }
};

TEST_F(PopBeforeSmtp, ALoginStartsTheDelivery) {
  ScriptedServer pop([](Peer& p) {
    p.Send("+OK ready\r\n");
    p.Exchange("+OK\r\n");
    p.Exchange("+OK logged in\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  ScriptedServer smtp([](Peer& p) {
    Greet(p);
    Accept(p);
  });
  WriteAccounts(pop.Port(), smtp.Port());
  auto form = MakeForm();
  Run(*form);
  pop.Join();
  smtp.Join();
  EXPECT_EQ(pop.Received(), "USER orvane\r\nPASS Canary-7f3Q9zx!\r\nQUIT\r\n");
  Lines lines = LogOf(*form);
  ASSERT_GE(lines.size(), 4u);
  // An account file from before encryption could be chosen.
  EXPECT_EQ(lines[1], "注意: 暗号化されていない接続で認証します");
  EXPECT_EQ(lines[2], "POP 認証に成功");
  EXPECT_EQ(lines[3], "サーバからの応答... 220 mx ready");
  EXPECT_EQ(lines.back(), "送信が無事に終了しました");
  EXPECT_EQ(form->Caption(), u"送信終了");
  EXPECT_EQ(delivered, std::vector<bool>{true});
}

TEST_F(PopBeforeSmtp, AFailedLoginAbortsWithoutContactingTheSmtpServer) {
  const int unused = UnusedPort();
  struct Case {
    const char* name;
    ScriptedServer::Script script;  // null: nothing listens
    Lines log;                      // after the first line; "%p" is the POP3 port
  } cases[] = {
      {"wrong password",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK\r\n");
         p.Exchange("-ERR [AUTH] Authentication failed.\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       {"注意: 暗号化されていない接続で認証します", "POP 認証に失敗"}},
      {"refused greeting", [](Peer& p) { p.Send("-ERR busy\r\n"); }, {"POP 認証に失敗"}},
      {"unused port",
       nullptr,
       {"POP 認証に失敗", "エラー: 127.0.0.1:%p に接続できません (接続が拒否されました)"}},
      {"closed after USER",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.ReadLine();
       },
       {"POP 認証に失敗", "エラー: 127.0.0.1:%p が接続を切りました"}},
  };
  // The SMTP server must never be reached: nothing listens on its port.
  const int smtpPort = UnusedPort();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<ScriptedServer> pop;
    if (c.script) pop = std::make_unique<ScriptedServer>(c.script);
    const int port = pop ? pop->Port() : unused;
    WriteAccounts(port, smtpPort);
    auto form = MakeForm();
    Run(*form);
    if (pop) pop->Join();
    Lines expected = c.log;
    for (std::string& line : expected)
      if (auto at = line.find("%p"); at != std::string::npos)
        line.replace(at, 2, std::to_string(port));
    Lines lines = LogOf(*form);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), expected);
    EXPECT_EQ(form->Status(), u"POP 認証に失敗しました");
    EXPECT_EQ(form->Caption(), u"送信中止");
    EXPECT_TRUE(form->CloseEnabled());
    EXPECT_EQ(delivered, std::vector<bool>{});
  }
}

}  // namespace
}  // namespace orvane::test
