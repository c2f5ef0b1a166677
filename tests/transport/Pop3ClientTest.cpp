#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "transport/SmtpTestSupport.h"
#include "transport/ZelPop3.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

TEST_F(Pop3ClientTest, LogsInWithUserAndPassAndNeverShowsThePassword) {
  ScriptedServer server([](Peer& p) {
    p.Send("+OK ready\r\n");
    p.Exchange("+OK send your password\r\n");
    p.Exchange("+OK logged in\r\n");
    p.Exchange("+OK bye\r\n");
  });
  LogIn(server);
  EXPECT_EQ(server.Received(), "USER orvane\r\nPASS Canary-7f3Q9zx!\r\nQUIT\r\n");
  EXPECT_EQ(events.Trace,
            (Trace{"server +OK ready\r\n", "status USER orvane",
                   "server +OK send your password\r\n", "status PASS", "server +OK logged in\r\n",
                   "authenticated before-smtp", "status QUIT", "destroy"}));
  EXPECT_TRUE(pop->AuthOnly());
  EXPECT_TRUE(pop->BeforeSmtp());
}

TEST_F(Pop3ClientTest, AcceptsThePositiveIndicatorInAnyCase) {
  ScriptedServer server([](Peer& p) {
    p.Send("+ok ready\r\n");
    p.Exchange("+Ok\r\n");
    p.Exchange("+oK\r\n");
    p.ReadLine();
  });
  pop->SetPort(server.Port());
  pop->Authenticate(false);
  EXPECT_TRUE(WaitForWorkers(main));
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "status PASS", "authenticated",
                                     "status QUIT", "destroy"}));
}

TEST_F(Pop3ClientTest, ReportsARefusedLoginAndQuits) {
  struct Case {
    const char* name;
    std::function<void(Peer&)> script;
    const char* sent;
  } cases[] = {
      {"user",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("-ERR no such mailbox\r\n");
       },
       "USER orvane\r\nQUIT\r\n"},
      {"pass",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK\r\n");
         p.Exchange("-ERR wrong password\r\n");
       },
       "USER orvane\r\nPASS Canary-7f3Q9zx!\r\nQUIT\r\n"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Destroyed = 0;
    ScriptedServer server([&](Peer& p) {
      c.script(p);
      p.WaitForClose(std::chrono::seconds(10));
    });
    LogIn(server);
    EXPECT_EQ(server.Received(), c.sent);
    Trace actions = events.Actions();
    EXPECT_EQ(Trace(actions.end() - 4, actions.end()),
              (Trace{"auth-failed before-smtp", "error 4", "status QUIT", "destroy"}));
  }
}

TEST_F(Pop3ClientTest, LogsInWithApopOverTheGreetingsTimestamp) {
  ScriptedServer server([](Peer& p) {
    p.Send("+OK POP3 server ready <1896.697170952@dbc.mtview.ca.us>\r\n");
    p.Exchange("+OK maildrop has 0 messages\r\n");
    p.ReadLine();
  });
  pop->SetAPOP(true);
  LogIn(server);
  EXPECT_EQ(server.Received(), "APOP orvane dfa14a4ad37abd582d687348c905c255\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(),
            (Trace{"status APOP", "authenticated before-smtp", "status QUIT", "destroy"}));
}

TEST_F(Pop3ClientTest, FindsTheApopTimestampWhereverItStands) {
  // RFC 1939 section 7; the digest is Python's hashlib.md5 of the timestamp
  // and the canary password.
  const char* greetings[] = {
      "+OK <1896.697170952@dbc.mtview.ca.us> POP3 server ready\r\n",
      "+OK POP3 <1896.697170952@dbc.mtview.ca.us> ready\r\n",
      "+OK ready <1896.697170952@dbc.mtview.ca.us>\r\n",
  };
  pop->SetAPOP(true);
  for (const char* greeting : greetings) {
    SCOPED_TRACE(greeting);
    events.Trace.clear();
    events.Destroyed = 0;
    ScriptedServer server([&](Peer& p) {
      p.Send(greeting);
      p.Exchange("+OK maildrop has 0 messages\r\n");
      p.ReadLine();
    });
    LogIn(server);
    EXPECT_EQ(server.Received(), "APOP orvane dfa14a4ad37abd582d687348c905c255\r\nQUIT\r\n");
    EXPECT_EQ(events.Actions(),
              (Trace{"status APOP", "authenticated before-smtp", "status QUIT", "destroy"}));
  }
}

TEST_F(Pop3ClientTest, ReportsConnectOnceWhenTheServerHangsUp) {
  // The send window waits for an error or an outcome before it may close.
  struct Case {
    const char* name;
    bool apop;
    std::function<void(Peer&)> script;
    Trace actions;
  } cases[] = {
      {"before the greeting", false, [](Peer&) {}, {"error 0", "destroy"}},
      {"instead of answering USER",
       false,
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.ReadLine();
       },
       {"status USER orvane", "error 0", "destroy"}},
      {"instead of answering PASS",
       false,
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK\r\n");
         p.ReadLine();
       },
       {"status USER orvane", "status PASS", "error 0", "destroy"}},
      {"instead of answering APOP",
       true,
       [](Peer& p) {
         p.Send("+OK ready <1.2@host>\r\n");
         p.ReadLine();
       },
       {"status APOP", "error 0", "destroy"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Destroyed = 0;
    ScriptedServer server(c.script);
    pop->SetAPOP(c.apop);
    LogIn(server);
    EXPECT_EQ(events.Actions(), c.actions);
    EXPECT_FALSE(Contains(server.Received(), "QUIT"));
  }
}

// A digest of a greeting without a timestamp would be the same at every
// login: whoever saw it once could log in with it.
TEST_F(Pop3ClientTest, SendsNoApopWhenTheGreetingHasNoTimestamp) {
  ScriptedServer server([](Peer& p) {
    p.Send("+OK ready\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  pop->SetAPOP(true);
  LogIn(server);
  EXPECT_EQ(server.Received(), "QUIT\r\n");
  EXPECT_EQ(events.Actions(),
            (Trace{"auth-failed before-smtp", "error 4", "status QUIT", "destroy"}));
  EXPECT_TRUE(Contains(events.LocalError, "APOP のタイムスタンプ")) << events.LocalError;
}

TEST_F(Pop3ClientTest, ReportsConnectWithoutAnAuthenticationEvent) {
  ScriptedServer server([](Peer& p) {
    p.Send("-ERR busy\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  LogIn(server);
  EXPECT_EQ(server.Received(), "");
  EXPECT_EQ(events.Actions(), (Trace{"error 0", "destroy"}));

  events.Trace.clear();
  pop->SetPort(UnusedPort());
  pop->Authenticate(true);
  EXPECT_TRUE(WaitForWorkers(main));
  EXPECT_EQ(events.Trace, (Trace{"error 0", "destroy"}));
}

TEST_F(Pop3ClientTest, EndsTheDialogueOnAReplyLongerThanTheProtocolAllows) {
  ScriptedServer server([](Peer& p) {
    p.Send("+OK ready\r\n");
    p.Exchange("+OK " + std::string(100 * 1024, 'x') + "\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  LogIn(server);
  EXPECT_EQ(server.Received(), "USER orvane\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "error 0", "status QUIT", "destroy"}));
}

TEST_F(Pop3ClientTest, RefusesCredentialsWithLineBreaksWithoutWritingThem) {
  struct Case {
    AnsiString user, password;
    bool apop;
    const char* sent;
  } cases[] = {
      {"orvane\r\nDELE 1", kCanaryPassword, false, "QUIT\r\n"},
      {kCanaryUser, "pw\nDELE 1", false, "USER orvane\r\nQUIT\r\n"},
      {"orvane\rx", kCanaryPassword, true, "QUIT\r\n"},
      {kCanaryUser, AnsiString("pw\0x", 4), true, "QUIT\r\n"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.user + "/" + std::to_string(c.apop));
    events.Trace.clear();
    events.Destroyed = 0;
    ScriptedServer server([](Peer& p) {
      p.Send("+OK ready <1.2@host>\r\n");
      p.Exchange("+OK\r\n");
      p.WaitForClose(std::chrono::seconds(10));
    });
    pop->SetUser(c.user);
    pop->SetPassword(c.password);
    pop->SetAPOP(c.apop);
    LogIn(server);
    EXPECT_EQ(server.Received(), c.sent);
    Trace actions = events.Actions();
    EXPECT_EQ(Trace(actions.end() - 4, actions.end()),
              (Trace{"auth-failed before-smtp", "error 4", "status QUIT", "destroy"}));
  }
}

TEST_F(Pop3ClientTest, ReportsATimeOutAndQuits) {
  ScriptedServer server([](Peer& p) {
    p.Send("+OK ready\r\n");
    p.ReadLine();
    p.WaitForClose(std::chrono::seconds(20));
  });
  pop->SetTimeout(10001);
  LogIn(server);
  EXPECT_EQ(server.Received(), "USER orvane\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "error 5", "status QUIT", "destroy"}));
  EXPECT_EQ(events.LocalError,
            "127.0.0.1:" + std::to_string(server.Port()) + " から 10 秒以内に応答がありません");
}

TEST_F(Pop3ClientTest, CancelBetweenUserAndPassClosesWithoutPass) {
  std::atomic<bool> cancelled{false};
  ScriptedServer server([&](Peer& p) {
    p.Send("+OK ready\r\n");
    p.ReadLine();
    for (int i = 0; i < 2000 && !cancelled; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    p.Send("+OK\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  pop->SetPort(server.Port());
  TPopItem* item = pop->Authenticate(true);
  ASSERT_TRUE(main.PumpUntil([&] { return Contains(server.Received(), "USER"); },
                             std::chrono::seconds(10)));
  item->Cancel();
  cancelled = true;
  EXPECT_TRUE(WaitForWorkers(main));
  server.Join();
  EXPECT_EQ(server.Received(), "USER orvane\r\n");
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "destroy"}));
}

}  // namespace
}  // namespace orvane::test
