// AUTH PLAIN after CRAM-MD5 and LOGIN, and what becomes of credentials on
// a connection without TLS.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "transport/PlainAuth.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

TEST(DecidePlainAuth, SendsInPlainTextOnlyWhereTheAccountLetsIt) {
  using enum TPlainAuthVerdict;
  struct Case {
    TPlainAuthPolicy policy;
    bool encrypted, loopback;
    TPlainAuthVerdict verdict;
  } cases[] = {
      {paRefuse, false, false, kRefuse},     {paRefuse, false, true, kSend},
      {paRefuse, true, false, kSend},        {paAllow, false, false, kSend},
      {paAllow, true, false, kSend},         {paLegacy, false, false, kSendAndWarn},
      {paLegacy, false, true, kSendAndWarn}, {paLegacy, true, false, kSend},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecidePlainAuth(c.policy, c.encrypted, c.loopback), c.verdict)
        << c.policy << c.encrypted << c.loopback;
}

TEST_F(SmtpClientTest, UsesPlainOnlyWhenNeitherCramMd5NorLoginIsOffered) {
  struct Case {
    const char* auth;
    ScriptedServer::Script exchange;
    std::string written;
  } cases[] = {
      {"AUTH PLAIN",
       [](Peer& p) {
         p.Exchange("334 \r\n");
         p.Exchange("235 ok\r\n");
       },
       "AUTH PLAIN\r\nAG9ydmFuZQBDYW5hcnktN2YzUTl6eCE=\r\n"},
      {"AUTH PLAIN LOGIN",
       [](Peer& p) {
         p.Exchange("334 VXNlcm5hbWU6\r\n");
         p.Exchange("334 UGFzc3dvcmQ6\r\n");
         p.Exchange("235 ok\r\n");
       },
       "AUTH LOGIN\r\nb3J2YW5l\r\nQ2FuYXJ5LTdmM1E5engh\r\n"},
      {"AUTH PLAIN CRAM-MD5",
       [](Peer& p) {
         p.Exchange("334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n");
         p.Exchange("235 ok\r\n");
       },
       "AUTH CRAM-MD5\r\nb3J2YW5lIDUzZmMyMDg5OTZjYmU0MmI5NWQ5YzUwMzE1N2M1MzU0\r\n"},
  };
  smtp->SetSmtpAuth(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.auth);
    events.Clear();
    ScriptedServer server([&](Peer& p) {
      Greet(p, std::string("250-mx\r\n250 ") + c.auth + "\r\n");
      c.exchange(p);
      Accept(p);
    });
    Deliver(server);
    EXPECT_TRUE(events.Success);
    EXPECT_TRUE(server.Received().starts_with("EHLO 127.0.0.1\r\n" + c.written + "MAIL FROM:"))
        << server.Received();
  }
}

// Whoever fails CRAM-MD5 on a connection without TLS must not get the
// password from the mechanism tried next.
TEST_F(SmtpClientTest, NeverFallsBackFromAFailedCramMd5WithoutTls) {
  for (const char* offered : {"AUTH CRAM-MD5 LOGIN", "AUTH CRAM-MD5 PLAIN"}) {
    SCOPED_TRACE(offered);
    events.Clear();
    ScriptedServer server([&](Peer& p) {
      Greet(p, std::string("250-mx\r\n250 ") + offered + "\r\n");
      p.Exchange("334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n");
      p.Exchange("535 no\r\n");
      p.Exchange("221 bye\r\n");
    });
    smtp->SetSmtpAuth(true);
    Deliver(server);
    EXPECT_EQ(server.Received(),
              "EHLO 127.0.0.1\r\nAUTH CRAM-MD5\r\n"
              "b3J2YW5lIDUzZmMyMDg5OTZjYmU0MmI5NWQ5YzUwMzE1N2M1MzU0\r\nQUIT\r\n");
    EXPECT_EQ(events.Actions(), (Trace{"status EHLO 127.0.0.1", "status AUTH CRAM-MD5", "error 1",
                                       "status QUIT", "closed failed", "destroy"}));
    EXPECT_TRUE(Contains(events.LocalError, "LOGIN には切り替えません")) << events.LocalError;
  }
}

// The server is on this machine, so no policy keeps the password back; an
// account file from before encryption could be chosen gets the warning.
TEST_F(SmtpClientTest, WarnsWhenSendingCredentialsInPlainTextForAnOldAccount) {
  struct Case {
    TPlainAuthPolicy policy;
    bool warned;
  } cases[] = {{paLegacy, true}, {paAllow, false}, {paRefuse, false}};
  smtp->SetSmtpAuth(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.policy);
    events.Clear();
    smtp->SetPlainAuth(c.policy);
    ScriptedServer server([](Peer& p) {
      Greet(p, "250-mx\r\n250 AUTH LOGIN\r\n");
      p.Exchange("334 VXNlcm5hbWU6\r\n");
      p.Exchange("334 UGFzc3dvcmQ6\r\n");
      p.Exchange("235 ok\r\n");
      Accept(p);
    });
    Deliver(server);
    EXPECT_TRUE(events.Success);
    EXPECT_EQ(events.Notices, c.warned ? std::vector<AnsiString>{WideToSjis(kPlainAuthWarning)}
                                       : std::vector<AnsiString>{});
  }
}

// The warning reaches the log before the password goes out.
TEST_F(Pop3ClientTest, WarnsBeforeSendingThePasswordInPlainTextForAnOldAccount) {
  struct Case {
    TPlainAuthPolicy policy;
    bool apop;
    const char* sentBeforeWarning;  // "-": no warning
  } cases[] = {{paLegacy, false, "USER orvane\r\n"}, {paLegacy, true, ""}, {paAllow, false, "-"}};
  const ScriptedServer* server = nullptr;
  std::string sentBeforeWarning;
  pop->OnPopNotice = [&](TPopItem&, const AnsiString& s) {
    EXPECT_EQ(s, WideToSjis(kPlainAuthWarning));
    sentBeforeWarning = server->Received();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.policy);
    events.Clear();
    sentBeforeWarning = "-";
    pop->SetPlainAuth(c.policy);
    pop->SetAPOP(c.apop);
    ScriptedServer login([&](Peer& p) {
      p.Send("+OK ready <1.2@mx>\r\n");
      if (!c.apop) p.Exchange("+OK\r\n");
      p.Exchange("+OK logged in\r\n");
      p.Exchange("+OK bye\r\n");
    });
    server = &login;
    LogIn(login);
    EXPECT_EQ(sentBeforeWarning, c.sentBeforeWarning);
  }
}

}  // namespace
}  // namespace orvane::test
