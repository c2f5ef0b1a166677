#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

TEST_F(SmtpClientTest, DeliversAndReportsEveryStepInOrder) {
  std::string data;
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    Accept(p, &data);
  });
  Deliver(server);
  EXPECT_EQ(server.Received(),
            "EHLO 127.0.0.1\r\nMAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\n"
            "DATA\r\nSubject: test\r\n\r\nbody\r\n.\r\nQUIT\r\n");
  EXPECT_EQ(events.Trace, (Trace{"server 220 mx ready\r\n", "status EHLO 127.0.0.1",
                                 "server 250-mx greets you\r\n250 8BITMIME\r\n",
                                 "status MAIL FROM:<me@example.com>", "server 250 sender ok\r\n",
                                 "status RCPT TO:<a@example.com>", "server 250 recipient ok\r\n",
                                 "status DATA", "server 354 go ahead\r\n", "server 250 queued\r\n",
                                 "status QUIT", "server 221 bye\r\n", "closed ok", "destroy"}));
  EXPECT_EQ(events.Progress, (std::vector<std::pair<std::int64_t, std::int64_t>>{{23, 26}}));
  EXPECT_TRUE(events.Success);
}

TEST_F(SmtpClientTest, WaitsForRepliesThatArriveOneByteAtATime) {
  ScriptedServer server([&](Peer& p) {
    p.SendByteByByte("220-mx.example.com first line\r\n220 second line\r\n");
    p.ReadLine();
    p.SendByteByByte("250-mx\r\n250-AUTH LOGIN\r\n250 SIZE 100\r\n");
    p.ReadLine();
    p.SendByteByByte("250 ok\r\n");
    p.ReadLine();
    p.SendByteByByte("250 ok\r\n");
    p.ReadLine();
    p.SendByteByByte("354 go\r\n");
    p.ReadData();
    p.SendByteByByte("250 queued\r\n");
    p.ReadLine();
    p.SendByteByByte("221 bye\r\n");
  });
  Deliver(server);
  EXPECT_TRUE(events.Success);
  ASSERT_GE(events.Trace.size(), 3u);
  EXPECT_EQ(events.Trace[0], "server 220-mx.example.com first line\r\n220 second line\r\n");
  EXPECT_EQ(events.Trace[2], "server 250-mx\r\n250-AUTH LOGIN\r\n250 SIZE 100\r\n");
}

TEST_F(SmtpClientTest, TakesABareCodeAsTheLastLineOfAReply) {
  // RFC 5321 section 4.2: "250-queued as 12" CR LF "250" CR LF is one reply.
  struct Case {
    const char* name;
    std::string greeting, ehlo, rcpt, queued;
  } cases[] = {
      {"greeting", "220-mx ready\r\n220\r\n", "250-mx\r\n250 8BITMIME\r\n", "250 ok\r\n",
       "250 queued\r\n"},
      {"ehlo", "220 mx ready\r\n", "250-mx\r\n250-8BITMIME\r\n250\r\n", "250 ok\r\n",
       "250 queued\r\n"},
      {"rcpt", "220 mx ready\r\n", "250-mx\r\n250 8BITMIME\r\n", "250-recipient ok\r\n250\r\n",
       "250 queued\r\n"},
      {"data", "220 mx ready\r\n", "250-mx\r\n250 8BITMIME\r\n", "250 ok\r\n",
       "250-queued as 12\r\n250\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Closed = events.Destroyed = 0;
    ScriptedServer server([&](Peer& p) {
      p.Send(c.greeting);
      p.Exchange(c.ehlo);
      p.Exchange("250 sender ok\r\n");
      p.Exchange(c.rcpt);
      p.Exchange("354 go ahead\r\n");
      p.ReadData();
      p.Send(c.queued);
      p.Exchange("221 bye\r\n");
    });
    Deliver(server);
    EXPECT_TRUE(events.Success);
    EXPECT_EQ(server.Received(),
              "EHLO 127.0.0.1\r\nMAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\n"
              "DATA\r\nSubject: test\r\n\r\nbody\r\n.\r\nQUIT\r\n");
    EXPECT_EQ(events.Actions(), (Trace{"status EHLO 127.0.0.1", "status MAIL FROM:<me@example.com>",
                                       "status RCPT TO:<a@example.com>", "status DATA",
                                       "status QUIT", "closed ok", "destroy"}));
  }
}

TEST_F(SmtpClientTest, AuthenticatesWithCramMd5AndNeverShowsTheAnswer) {
  ScriptedServer server([&](Peer& p) {
    Greet(p, "250-mx\r\n250-AUTH LOGIN\r\n250 AUTH CRAM-MD5\r\n");
    p.Exchange("334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n");
    p.Exchange("235 welcome\r\n");
    Accept(p);
  });
  smtp->SetSmtpAuth(true);
  Deliver(server);
  EXPECT_TRUE(events.Success);
  EXPECT_TRUE(server.Received().starts_with(
      "EHLO 127.0.0.1\r\nAUTH CRAM-MD5\r\n"
      "b3J2YW5lIDUzZmMyMDg5OTZjYmU0MmI5NWQ5YzUwMzE1N2M1MzU0\r\nMAIL FROM:"));
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.begin(), actions.begin() + 3),
            (Trace{"status EHLO 127.0.0.1", "status AUTH CRAM-MD5",
                   "status MAIL FROM:<me@example.com>"}));
}

TEST_F(SmtpClientTest, UsesLoginWhenOnlyLoginIsOffered) {
  ScriptedServer server([&](Peer& p) {
    Greet(p, "250-mx\r\n250 AUTH LOGIN PLAIN\r\n");
    p.Exchange("334 VXNlcm5hbWU6\r\n");
    p.Exchange("334 UGFzc3dvcmQ6\r\n");
    p.Exchange("235 welcome\r\n");
    Accept(p);
  });
  smtp->SetSmtpAuth(true);
  Deliver(server);
  EXPECT_TRUE(events.Success);
  EXPECT_TRUE(server.Received().starts_with(
      "EHLO 127.0.0.1\r\nAUTH LOGIN\r\nb3J2YW5l\r\nQ2FuYXJ5LTdmM1E5engh\r\nMAIL FROM:"));
}

TEST_F(SmtpClientTest, FailsAuthenticationWhenTheServerListsNoExtensions) {
  ScriptedServer server([&](Peer& p) {
    Greet(p, "250 mx greets you\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  smtp->SetSmtpAuth(true);
  Deliver(server);
  EXPECT_EQ(server.Received(), "EHLO 127.0.0.1\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(),
            (Trace{"status EHLO 127.0.0.1", "error 1", "status QUIT", "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, FallsBackToHeloWithoutAuthenticationWhenEhloIsRefused) {
  ScriptedServer server([&](Peer& p) {
    Greet(p, "500 what?\r\n");
    p.Exchange("250 hello\r\n");
    Accept(p);
  });
  smtp->SetSmtpAuth(true);
  Deliver(server);
  EXPECT_TRUE(events.Success);
  EXPECT_TRUE(server.Received().starts_with("EHLO 127.0.0.1\r\nHELO 127.0.0.1\r\nMAIL FROM:"));
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.begin(), actions.begin() + 4),
            (Trace{"status EHLO 127.0.0.1", "error 2", "status HELO 127.0.0.1",
                   "status MAIL FROM:<me@example.com>"}));
}

// A refused recipient is named with its reply; the others get the message,
// unless every recipient is required: then the transaction is reset and
// no one gets it.
TEST_F(SmtpClientTest, NamesRefusedRecipientsAndGoesOnOnlyWhenAllowed) {
  for (const bool required : {false, true}) {
    SCOPED_TRACE(required);
    events.Clear();
    recipients = {"a@example.com", "b@example.com", "c@example.com"};
    smtp->SetAllRecipientsRequired(required);
    ScriptedServer server([&](Peer& p) {
      Greet(p);
      p.Exchange("250 sender ok\r\n");
      p.Exchange("250 ok\r\n");
      p.Exchange("550 5.1.1 no such user\r\n");
      p.Exchange("251 will forward\r\n");
      if (required) {
        p.Exchange("250 reset\r\n");
        p.WaitForClose(std::chrono::seconds(10));
        return;
      }
      p.Exchange("354 go\r\n");
      p.ReadData();
      p.Send("250 queued\r\n");
      p.Exchange("221 bye\r\n");
    });
    Deliver(server);
    EXPECT_EQ(events.Success, !required);
    EXPECT_EQ(Contains(server.Received(), "DATA"), !required);
    Trace actions = events.Actions();
    const Trace next =
        required ? Trace{"error 5", "status RSET", "status QUIT"} : Trace{"status DATA"};
    Trace expected{"status RCPT TO:<a@example.com>", "status RCPT TO:<b@example.com>",
                   "status RCPT TO:<c@example.com>",
                   "rcpt-error b@example.com (550 5.1.1 no such user)"};
    expected.insert(expected.end(), next.begin(), next.end());
    EXPECT_EQ(Trace(actions.begin() + 2, actions.begin() + 2 + expected.size()), expected);
  }
}

TEST_F(SmtpClientTest, FailsWhenEveryRecipientIsRefused) {
  recipients = {"a@example.com", "b@example.com"};
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 sender ok\r\n");
    p.Exchange("550 no\r\n");
    p.Exchange("553 no\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  Deliver(server);
  EXPECT_FALSE(Contains(server.Received(), "DATA"));
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.end() - 5, actions.end()),
            (Trace{"rcpt-error a@example.com (550 no) b@example.com (553 no)", "error 5",
                   "status QUIT", "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, ReportsEachRefusedStep) {
  struct Case {
    const char* name;
    std::function<void(Peer&)> script;
    const char* error;
  } cases[] = {
      {"greeting", [](Peer& p) { p.Send("554 go away\r\n"); }, "error 0"},
      {"helo",
       [](Peer& p) {
         Greet(p, "502 no\r\n");
         p.Exchange("501 no\r\n");
       },
       "error 3"},
      {"mail from",
       [](Peer& p) {
         Greet(p);
         p.Exchange("553 bad sender\r\n");
       },
       "error 4"},
      {"data",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 ok\r\n");
         p.Exchange("250 ok\r\n");
         p.Exchange("554 no valid recipients\r\n");
       },
       "error 6"},
      {"message",
       [](Peer& p) {
         Greet(p);
         p.Exchange("250 ok\r\n");
         p.Exchange("250 ok\r\n");
         p.Exchange("354 go\r\n");
         p.ReadData();
         p.Send("552 too big\r\n");
       },
       "error 6"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Closed = events.Destroyed = 0;
    ScriptedServer server([&](Peer& p) {
      c.script(p);
      p.WaitForClose(std::chrono::seconds(10));
    });
    Deliver(server);
    EXPECT_FALSE(events.Success);
    Trace actions = events.Actions();
    // A refused greeting is left without QUIT; every later refusal quits.
    bool quits = std::string(c.name) != "greeting";
    Trace expected = quits ? Trace{c.error, "status QUIT", "closed failed", "destroy"}
                           : Trace{c.error, "closed failed", "destroy"};
    ASSERT_GE(actions.size(), expected.size());
    EXPECT_EQ(Trace(actions.end() - expected.size(), actions.end()), expected);
    EXPECT_EQ(server.Received().ends_with("QUIT\r\n"), quits);
  }
}

TEST_F(SmtpClientTest, CountsTheMessageDeliveredWhenQuitIsNotAnswered221) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 ok\r\n");
    p.Exchange("250 ok\r\n");
    p.Exchange("354 go\r\n");
    p.ReadData();
    p.Send("250 queued\r\n");
    p.Exchange("500 what?\r\n");
  });
  Deliver(server);
  EXPECT_TRUE(events.Success);
  Trace tail(events.Trace.end() - 3, events.Trace.end());
  EXPECT_EQ(tail, (Trace{"server 500 what?\r\n", "closed ok", "destroy"}));
}

TEST_F(SmtpClientTest, CountsTheMessageDeliveredWhenTheServerHangsUpAfterIt) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 ok\r\n");
    p.Exchange("250 ok\r\n");
    p.Exchange("354 go\r\n");
    p.ReadData();
    p.Send("250 queued\r\n");
    p.ReadLine();
  });
  Deliver(server);
  EXPECT_TRUE(events.Success);
  EXPECT_EQ(events.Actions().back(), "destroy");
}

TEST_F(SmtpClientTest, WritesBareLineEndsAsCrLfAndStuffsEveryLeadingDot) {
  std::string data;
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    Accept(p, &data);
  });
  smtp->SetMessage(".first\nsecond\n.\nthird\rfourth\r\n.hidden\r\n\r\n  \r\n");
  Deliver(server);
  EXPECT_EQ(data, "..first\r\nsecond\r\n..\r\nthird\r\nfourth\r\n..hidden\r\n.\r\n");
}

TEST_F(SmtpClientTest, SendsTheBodyInChunksOf1024WithProgressAfterEach) {
  std::string data;
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    Accept(p, &data);
  });
  std::string body;
  for (int i = 0; i < 49; ++i) body += std::string(48, 'a' + i % 26) + "\r\n";
  body += std::string(50, 'z');
  ASSERT_EQ(body.size(), 2500u);
  smtp->SetMessage(body);
  Deliver(server);
  EXPECT_EQ(data, body + "\r\n.\r\n");
  EXPECT_EQ(events.Progress, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                                 {2500, 1024}, {2500, 2048}, {2500, 2505}}));
}

TEST_F(SmtpClientTest, ReportsDataWhenTheServerResetsInTheMiddleOfTheMessage) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 ok\r\n");
    p.Exchange("250 ok\r\n");
    p.Exchange("354 go\r\n");
    p.ReadLine();
    p.Reset();
  });
  // Larger than any socket buffer, so that the client is still writing.
  std::string line = std::string(998, 'x') + "\r\n";
  std::string message;
  for (int i = 0; i < 32 * 1024; ++i) message += line;
  smtp->SetMessage(message);
  Deliver(server);
  EXPECT_FALSE(events.Success);
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.end() - 4, actions.end()),
            (Trace{"error 6", "status QUIT", "closed failed", "destroy"}));
  ASSERT_FALSE(events.Progress.empty());
  EXPECT_LT(events.Progress.back().second, std::int64_t(message.size()));
}

TEST_F(SmtpClientTest, EndsTheDialogueOnAReplyLongerThanTheProtocolAllows) {
  ScriptedServer server([&](Peer& p) {
    Greet(p, "250-" + std::string(100 * 1024, 'x') + "\r\n250 ok\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  Deliver(server);
  EXPECT_EQ(server.Received(), "EHLO 127.0.0.1\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(),
            (Trace{"status EHLO 127.0.0.1", "error 0", "status QUIT", "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, EndsWithoutAnErrorWhenTheServerHangsUp) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.ReadLine();
  });
  Deliver(server);
  EXPECT_EQ(server.Received(), "EHLO 127.0.0.1\r\nMAIL FROM:<me@example.com>\r\n");
  EXPECT_EQ(events.Actions(), (Trace{"status EHLO 127.0.0.1", "status MAIL FROM:<me@example.com>",
                                     "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, QuitsWithoutAnErrorWhenTheServerStalls) {
  ScriptedServer server([&](Peer& p) {
    p.Send("220 mx ready\r\n");
    p.ReadLine();
    p.WaitForClose(std::chrono::seconds(20));
  });
  smtp->SetTimeout(10001);
  Deliver(server);
  EXPECT_EQ(server.Received(), "EHLO 127.0.0.1\r\nQUIT\r\n");
  EXPECT_EQ(events.Actions(),
            (Trace{"status EHLO 127.0.0.1", "status QUIT", "closed failed", "destroy"}));
  EXPECT_EQ(events.LocalError,
            "127.0.0.1:" + std::to_string(server.Port()) + " から 10 秒以内に応答がありません");
}

TEST_F(SmtpClientTest, NeverWritesACommandLineThatCarriesALineBreak) {
  struct Case {
    const char* name;
    AnsiString mailFrom, recipient, user;
    const char* sent;
    const char* error;
  } cases[] = {
      {"sender", "me@example.com>\r\nRCPT TO:<x@evil>", "a@example.com", kCanaryUser,
       "EHLO 127.0.0.1\r\nQUIT\r\n", "error 4"},
      {"recipient", "me@example.com", "a@example.com>\nDATA", kCanaryUser,
       "EHLO 127.0.0.1\r\nMAIL FROM:<me@example.com>\r\nQUIT\r\n", "error 5"},
      {"user", "me@example.com", "a@example.com", AnsiString("orv\0ane", 7),
       "EHLO 127.0.0.1\r\nQUIT\r\n", "error 1"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    events.Trace.clear();
    events.Closed = events.Destroyed = 0;
    ScriptedServer server([&](Peer& p) {
      Greet(p, "250-mx\r\n250 AUTH LOGIN\r\n");
      if (std::string(c.name) == "recipient") p.Exchange("250 ok\r\n");
      p.WaitForClose(std::chrono::seconds(10));
    });
    smtp->SetSmtpAuth(std::string(c.name) == "user");
    smtp->SetMailFrom(c.mailFrom);
    smtp->SetUser(c.user);
    recipients = {c.recipient};
    Deliver(server);
    EXPECT_EQ(server.Received(), c.sent);
    Trace actions = events.Actions();
    EXPECT_EQ(Trace(actions.end() - 4, actions.end()),
              (Trace{c.error, "status QUIT", "closed failed", "destroy"}));
  }
}

TEST_F(SmtpClientTest, SendsAnEmptySenderAsAngleBrackets) {
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    Accept(p);
  });
  smtp->SetMailFrom("");
  Deliver(server);
  EXPECT_TRUE(Contains(server.Received(), "\r\nMAIL FROM:<>\r\n"));
}

TEST_F(SmtpClientTest, ReportsConnectWhenNothingListens) {
  smtp->SetPort(UnusedPort());
  smtp->Send();
  EXPECT_TRUE(WaitForWorkers(main));
  EXPECT_EQ(events.Trace, (Trace{"error 0", "closed failed", "destroy"}));
}

TEST_F(SmtpClientTest, SendWithoutRecipientsRaisesAndStartsNothing) {
  smtp->SetRecipients(nullptr);
  EXPECT_THROW(smtp->Send(), Error);
  EXPECT_TRUE(smtp->Items().empty());
  EXPECT_EQ(TTCPThread::LiveWorkers(), 0);
}

TEST_F(SmtpClientTest, CancelFreesAnIdleItemAtOnce) {
  auto* item = new TSmtpItem(*smtp);
  EXPECT_EQ(smtp->Items().size(), 1u);
  item->Cancel();
  EXPECT_TRUE(smtp->Items().empty());
  EXPECT_EQ(events.Trace, (Trace{"destroy"}));
}

TEST_F(SmtpClientTest, CancelledDeliveryQuitsAfterTheRecipientsWithoutData) {
  std::atomic<bool> cancelled{false};
  ScriptedServer server([&](Peer& p) {
    Greet(p);
    p.Exchange("250 ok\r\n");
    p.ReadLine();
    for (int i = 0; i < 2000 && !cancelled; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    p.Send("250 ok\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  smtp->SetPort(server.Port());
  TSmtpItem* item = smtp->Send();
  ASSERT_TRUE(main.PumpUntil([&] { return Contains(server.Received(), "RCPT"); },
                             std::chrono::seconds(10)));
  item->Cancel();
  cancelled = true;
  EXPECT_TRUE(WaitForWorkers(main));
  server.Join();
  EXPECT_FALSE(Contains(server.Received(), "DATA"));
  EXPECT_TRUE(server.Received().ends_with("QUIT\r\n"));
  EXPECT_EQ(events.Actions().back(), "destroy");
  EXPECT_FALSE(events.Success);
}

TEST_F(SmtpClientTest, DestroyingTheComponentWhileItRunsLeavesTheWorkerToEndAlone) {
  std::atomic<bool> destroyed{false};
  ScriptedServer server([&](Peer& p) {
    p.Send("220 mx ready\r\n");
    p.ReadLine();
    for (int i = 0; i < 2000 && !destroyed; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    p.Send("250 mx\r\n");
    p.Exchange("250 ok\r\n");
    p.Exchange("250 ok\r\n");
    p.WaitForClose(std::chrono::seconds(10));
  });
  smtp->SetPort(server.Port());
  smtp->Send();
  ASSERT_TRUE(main.PumpUntil([&] { return Contains(server.Received(), "EHLO"); },
                             std::chrono::seconds(10)));
  std::size_t seen = events.Trace.size();
  smtp.reset();
  destroyed = true;
  EXPECT_TRUE(WaitForWorkers(main));
  server.Join();
  EXPECT_EQ(events.Trace.size(), seen);
  EXPECT_FALSE(Contains(server.Received(), "DATA"));
  EXPECT_TRUE(server.Received().ends_with("QUIT\r\n"));
}

// Deliveries that share a pool: the next message goes over the connection
// the last one left, after RSET; one the server has dropped meanwhile is
// given up for a new connection.
TEST_F(SmtpClientTest, KeepsTheConnectionForTheNextMessageOfARun) {
  const std::string transaction =
      "MAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\nDATA\r\n"
      "Subject: test\r\n\r\nbody\r\n.\r\n";
  const std::string greeting = "EHLO 127.0.0.1\r\n";
  struct Row {
    const char* name;
    bool serverDrops;  // resets the kept connection between the messages
    std::string wire;
  } rows[] = {
      {"kept", false, greeting + transaction + "RSET\r\n" + transaction + "QUIT\r\n"},
      {"dropped", true, greeting + transaction + greeting + transaction + "QUIT\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::promise<void> firstDone, dropped;
    auto deliver = [](Peer& p) {
      p.Exchange("250 sender ok\r\n");
      p.Exchange("250 recipient ok\r\n");
      p.Exchange("354 go ahead\r\n");
      p.ReadData();
      p.Send("250 queued\r\n");
    };
    std::vector<ScriptedServer::Script> scripts{[&](Peer& p) {
      Greet(p);
      deliver(p);
      firstDone.get_future().wait();
      if (row.serverDrops) {
        p.Reset();
        dropped.set_value();
        return;
      }
      p.Exchange("250 reset\r\n");
      deliver(p);
      p.ReadLine();
    }};
    if (row.serverDrops)
      scripts.push_back([&](Peer& p) {
        Greet(p);
        deliver(p);
        p.ReadLine();
      });
    ScriptedServer server(scripts);
    const auto pool = std::make_shared<TSmtpConnectionPool>();
    smtp->SetConnectionPool(pool);
    smtp->SetPort(server.Port());
    const int closedBefore = events.Closed;
    for (int message = 0; message < 2; ++message) {
      smtp->Send();
      EXPECT_TRUE(WaitForWorkers(main));
      EXPECT_TRUE(events.Success);
      if (message > 0) continue;
      firstDone.set_value();
      if (row.serverDrops) dropped.get_future().wait();
    }
    pool->Close();
    server.Join();
    EXPECT_EQ(server.Failure(), "");
    EXPECT_EQ(events.Closed, closedBefore + 2);
    EXPECT_EQ(server.Received(), row.wire);
  }
}

}  // namespace
}  // namespace orvane::test
