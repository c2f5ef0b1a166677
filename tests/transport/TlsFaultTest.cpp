// Servers that stand between the client and TLS: STARTTLS not offered or
// refused, bytes slipped in before the handshake, a handshake that never
// ends. TLS asked for is TLS or nothing: no credentials and no message may
// go out in plain text, and the attempt ends with the TLS error kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/CodePage.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;
using std::chrono::milliseconds;
using std::chrono::seconds;

const std::string kStartTlsEhlo = "250-mx\r\n250-AUTH PLAIN LOGIN\r\n250 STARTTLS\r\n";

TEST_F(SmtpClientTest, NeverGoesOnInPlainTextWhenTlsCannotStart) {
  struct Case {
    const char* name;
    TSecurity security;
    ScriptedServer::Script script;
    // What the client wrote, as far as it was plain text.
    std::string written;
    Trace actions;
    std::u16string reason;  // the local error
  } cases[] = {
      {"STARTTLS not offered",
       scStartTls,
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 AUTH PLAIN LOGIN\r\n");
         p.Exchange("221 bye\r\n");
       },
       "EHLO 127.0.0.1\r\nQUIT\r\n",
       {"status EHLO 127.0.0.1", "error 8", "status QUIT", "closed failed", "destroy"},
       u"STARTTLS に対応していない"},
      {"EHLO refused",
       scStartTls,
       [](Peer& p) {
         Greet(p, "500 what\r\n");
         p.Exchange("221 bye\r\n");
       },
       "EHLO 127.0.0.1\r\nQUIT\r\n",
       {"status EHLO 127.0.0.1", "error 8", "status QUIT", "closed failed", "destroy"},
       u"STARTTLS に対応していない"},
      {"STARTTLS answered 454",
       scStartTls,
       [](Peer& p) {
         Greet(p, kStartTlsEhlo);
         p.Exchange("454 TLS not available\r\n");
         p.Exchange("221 bye\r\n");
       },
       "EHLO 127.0.0.1\r\nSTARTTLS\r\nQUIT\r\n",
       {"status EHLO 127.0.0.1", "status STARTTLS", "error 8", "status QUIT", "closed failed",
        "destroy"},
       u"STARTTLS を断った"},
      // RFC 3207 section 6: what follows the 220 before the handshake is
      // an attacker's reply to commands the client has not sent yet.
      {"replies injected behind the 220",
       scStartTls,
       [](Peer& p) {
         Greet(p, kStartTlsEhlo);
         p.Exchange("220 go ahead\r\n250-mx\r\n250 AUTH PLAIN\r\n");
         p.WaitForClose(seconds(20));
       },
       "EHLO 127.0.0.1\r\nSTARTTLS\r\n",
       {"status EHLO 127.0.0.1", "status STARTTLS", "error 8", "closed failed", "destroy"},
       u"余分なデータ"},
      {"a continuation line posing as the 220",
       scStartTls,
       [](Peer& p) {
         Greet(p, kStartTlsEhlo);
         p.Exchange("220-go ahead\r\n220 really\r\n235 authenticated\r\n");
         p.WaitForClose(seconds(20));
       },
       "EHLO 127.0.0.1\r\nSTARTTLS\r\n",
       {"status EHLO 127.0.0.1", "status STARTTLS", "error 8", "closed failed", "destroy"},
       u"余分なデータ"},
      {"a handshake the server never answers",
       scStartTls,
       [](Peer& p) {
         Greet(p, kStartTlsEhlo);
         p.Exchange("220 go ahead\r\n");
         p.WaitForClose(seconds(30));
       },
       "EHLO 127.0.0.1\r\nSTARTTLS\r\n",
       {"status EHLO 127.0.0.1", "status STARTTLS", "error 8", "closed failed", "destroy"},
       u"時間内に TLS"},
      {"TLS from the first byte, never answered",
       scTls,
       [](Peer& p) { p.WaitForClose(seconds(30)); },
       "",
       {"error 8", "closed failed", "destroy"},
       u"時間内に TLS"},
      {"TLS from the first byte, answered in plain text",
       scTls,
       [](Peer& p) {
         p.Send("220 mx ready\r\n");
         p.WaitForClose(seconds(20));
       },
       "",
       {"error 8", "closed failed", "destroy"},
       u"TLS で接続できませんでした"},
  };
  smtp->SetTimeout(kTimeout);
  smtp->SetSmtpAuth(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Clear();
    smtp->SetSecurity(c.security);
    ScriptedServer server(c.script);
    Deliver(server);
    EXPECT_FALSE(events.Success);
    // Past the plain text only the handshake's own bytes may follow.
    std::string received = server.Received();
    EXPECT_EQ(received.substr(0, c.written.size()), c.written);
    for (const char* line : {"AUTH", "MAIL FROM", "QUIT"}) {
      if (c.written.find(line) == std::string::npos) {
        EXPECT_EQ(received.find(line), std::string::npos) << line;
      }
    }
    EXPECT_EQ(events.Actions(), c.actions);
    EXPECT_NE(events.LocalError.find(WideToUtf8(c.reason)), std::string::npos) << events.LocalError;
  }
}

TEST_F(SmtpClientTest, EndsAStalledHandshakeAtOnceWhenCancelled) {
  std::atomic<bool> released{false};
  ScriptedServer server([&](Peer& p) {
    Greet(p, kStartTlsEhlo);
    p.Exchange("220 go ahead\r\n");
    for (int i = 0; i < 4000 && !released; ++i) std::this_thread::sleep_for(milliseconds(10));
  });
  smtp->SetSecurity(scStartTls);
  smtp->SetPort(server.Port());
  TSmtpItem* item = smtp->Send();
  ASSERT_TRUE(main.PumpUntil(
      [&] {
        return std::count(events.Trace.begin(), events.Trace.end(), "server 220 go ahead\r\n") > 0;
      },
      seconds(20)));
  item->Cancel();
  bool ended = main.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, seconds(5));
  released = true;
  EXPECT_TRUE(ended);
  server.Join();
  // The user asked for it: no error, only the end of the delivery.
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.end() - 2, actions.end()), (Trace{"closed failed", "destroy"}));
  EXPECT_TRUE(events.Notices.empty());
}

TEST_F(Pop3ClientTest, NeverLogsInInPlainTextWhenStlsFails) {
  struct Case {
    const char* name;
    ScriptedServer::Script script;
    std::string written;
    Trace actions;
    std::u16string reason;  // the local error
  } cases[] = {
      {"STLS refused",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("-ERR command not recognised\r\n");
         p.Exchange("+OK bye\r\n");
       },
       "STLS\r\nQUIT\r\n",
       {"status STLS", "error 6", "status QUIT", "destroy"},
       u"STLS を断った"},
      {"a reply injected behind +OK",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("+OK begin TLS\r\n+OK logged in\r\n");
         p.WaitForClose(seconds(20));
       },
       "STLS\r\n",
       {"status STLS", "error 6", "destroy"},
       u"余分なデータ"},
  };
  pop->SetSecurity(scStartTls);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.Clear();
    ScriptedServer server(c.script);
    LogIn(server);
    EXPECT_EQ(server.Received(), c.written);
    EXPECT_EQ(events.Actions(), c.actions);
    EXPECT_NE(events.LocalError.find(WideToUtf8(c.reason)), std::string::npos) << events.LocalError;
  }
}

}  // namespace
}  // namespace orvane::test
