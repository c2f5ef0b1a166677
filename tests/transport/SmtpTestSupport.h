#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/MainThread.h"
#include "support/ScriptedServer.h"
#include "transport/EventLog.h"
#include "transport/TCPThread.h"
#include "transport/ZelPop3.h"
#include "transport/ZelSmtp.h"

namespace orvane::test {

// The shortest time-out the clients take (they use only values above ten
// seconds).
inline constexpr int kTimeout = 10001;

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Waits, pumping the main thread, until every worker of the process has
// ended; the main thread must not go while one still hands over to it.
inline bool WaitForWorkers(QueuedMainThread& main) {
  return main.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, std::chrono::seconds(60));
}

// An SMTP client with every event recorded, aimed at a scripted server.
class SmtpClientTest : public ::testing::Test {
 protected:
  SmtpClientTest() {
    smtp->SetHost("127.0.0.1");
    smtp->SetPause(kQuickPause);
    smtp->SetMailFrom("me@example.com");
    smtp->SetUser(kCanaryUser);
    smtp->SetPassword(kCanaryPassword);
    smtp->SetRecipients(&recipients);
    smtp->SetMessage("Subject: test\r\n\r\nbody\r\n");
  }
  ~SmtpClientTest() override { EXPECT_TRUE(WaitForWorkers(main)); }

  // Delivers to `server` and waits until the worker has ended.
  void Deliver(ScriptedServer& server) {
    smtp->SetPort(server.Port());
    smtp->Send();
    EXPECT_TRUE(WaitForWorkers(main));
    server.Join();
    EXPECT_EQ(server.Failure(), "");
    EXPECT_EQ(events.Closed, 1);
    EXPECT_EQ(events.Destroyed, 1);
    EXPECT_TRUE(smtp->Items().empty());
  }

  QueuedMainThread main;
  std::vector<AnsiString> recipients{"a@example.com"};
  std::unique_ptr<TZelSmtp> smtp = std::make_unique<TZelSmtp>(main);
  SmtpEvents events{*smtp};
};

// A POP3 client with every event recorded, aimed at a scripted server.
class Pop3ClientTest : public ::testing::Test {
 protected:
  Pop3ClientTest() {
    pop->SetHost("127.0.0.1");
    pop->SetPause(kQuickPause);
    pop->SetUser(kCanaryUser);
    pop->SetPassword(kCanaryPassword);
  }
  ~Pop3ClientTest() override { EXPECT_TRUE(WaitForWorkers(main)); }

  void LogIn(ScriptedServer& server) {
    pop->SetPort(server.Port());
    pop->Authenticate(true);
    EXPECT_TRUE(WaitForWorkers(main));
    server.Join();
    EXPECT_EQ(server.Failure(), "");
    EXPECT_EQ(events.Destroyed, 1);
    EXPECT_TRUE(pop->Items().empty());
  }

  QueuedMainThread main;
  std::unique_ptr<TZelPop3> pop = std::make_unique<TZelPop3>(main);
  PopEvents events{*pop};
};

// The server side of the usual dialogue, step by step.
inline void Greet(Peer& p, std::string_view ehloReply = "250-mx greets you\r\n250 8BITMIME\r\n") {
  p.Send("220 mx ready\r\n");
  p.Exchange(ehloReply);
}

// MAIL FROM, the recipients, DATA with its message and QUIT, all accepted.
inline void Accept(Peer& p, std::string* data = nullptr, int recipients = 1) {
  p.Exchange("250 sender ok\r\n");
  for (int i = 0; i < recipients; ++i) p.Exchange("250 recipient ok\r\n");
  p.Exchange("354 go ahead\r\n");
  std::string received = p.ReadData();
  if (data) *data = received;
  p.Send("250 queued\r\n");
  p.Exchange("221 bye\r\n");
}

}  // namespace orvane::test
