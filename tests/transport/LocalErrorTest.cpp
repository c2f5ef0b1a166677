#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "transport/LocalError.h"
#include "transport/SmtpTestSupport.h"
#include "transport/ZelPop3.h"

namespace orvane::test {
namespace {

// A connection's failure on this side keeps its reason beside the error
// kind; a refusal by the server keeps none (its reply says why).
using LocalErrorTest = SmtpClientTest;

std::string Server(int port) {
  return "127.0.0.1:" + std::to_string(port);
}

// The server of each case: nothing (the port refuses), or a script.
struct Case {
  const char* name;
  ScriptedServer::Script script;  // null: nothing listens
  std::string expected;           // "%s" stands for host:port
};

std::string Expand(std::string text, int port) {
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, Server(port));
  return text;
}

TEST_F(LocalErrorTest, SmtpKeepsTheLocalReasonOfItsFailure) {
  const Case cases[] = {
      {"refused", nullptr, "%s に接続できません (接続が拒否されました)"},
      {"closed after the greeting",
       [](Peer& p) {
         p.Send("220 mx ready\r\n");
         p.ReadLine();
       },
       "%s が接続を切りました"},
      {"reset",
       [](Peer& p) {
         p.Send("220 mx ready\r\n");
         p.ReadLine();
         p.Reset();
       },
       "%s との通信が切れました (接続がリセットされました)"},
      {"refused by the server",
       [](Peer& p) {
         Greet(p);
         p.Exchange("550 not you\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       ""},
      {"delivered", [](Peer& p) { Greet(p), Accept(p); }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Closed = 0;
    events.LocalError.clear();
    std::unique_ptr<ScriptedServer> server;
    int port = UnusedPort();
    if (c.script) {
      server = std::make_unique<ScriptedServer>(c.script);
      port = server->Port();
    }
    smtp->SetPort(port);
    smtp->Send();
    EXPECT_TRUE(WaitForWorkers(main));
    if (server) server->Join();
    EXPECT_EQ(events.Closed, 1);
    EXPECT_EQ(events.LocalError, Expand(c.expected, port));
  }
}

TEST_F(LocalErrorTest, AServerThatIsNotSetIsSaidSo) {
  smtp->SetHost("");
  smtp->Send();
  EXPECT_TRUE(WaitForWorkers(main));
  EXPECT_EQ(events.LocalError, "サーバが設定されていません");
}

TEST(LocalErrorPop3, KeepsTheLocalReasonOfItsFailure) {
  const Case cases[] = {
      {"refused", nullptr, "%s に接続できません (接続が拒否されました)"},
      {"closed instead of the password reply",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK\r\n");
         p.ReadLine();
       },
       "%s が接続を切りました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QueuedMainThread main;
    TZelPop3 pop(main);
    PopEvents events(pop);
    pop.SetHost("127.0.0.1");
    pop.SetPause(kQuickPause);
    pop.SetUser(kCanaryUser);
    pop.SetPassword(kCanaryPassword);
    std::unique_ptr<ScriptedServer> server;
    int port = UnusedPort();
    if (c.script) {
      server = std::make_unique<ScriptedServer>(c.script);
      port = server->Port();
    }
    pop.SetPort(port);
    pop.Authenticate(true);
    EXPECT_TRUE(WaitForWorkers(main));
    if (server) server->Join();
    EXPECT_EQ(events.LocalError, Expand(c.expected, port));
  }
}

TEST(LocalErrorText, NamesTheServerAsAnAddressWithItsPort) {
  EXPECT_EQ(WideToUtf8(CannotConnectText("smtp.example.jp", 587, u"接続が拒否されました")),
            "smtp.example.jp:587 に接続できません (接続が拒否されました)");
  EXPECT_EQ(WideToUtf8(ClosedText("::1", 25)), "[::1]:25 が接続を切りました");
  EXPECT_EQ(WideToUtf8(NoReplyText("mx", 25, std::chrono::minutes(10))),
            "mx:25 から 600 秒以内に応答がありません");
}

}  // namespace
}  // namespace orvane::test
