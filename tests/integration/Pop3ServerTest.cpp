#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "support/MailServers.h"
#include "support/ScriptedServer.h"
#include "support/TestCertificates.h"
#include "transport/SmtpTestSupport.h"
#include "transport/ZelPop3.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

// Logins to Dovecot, run in the foreground by tests/servers/dovecot-pop3
// with a config generated into the build folder.
class Pop3ServerTest : public ::testing::Test {
 protected:
  Pop3ServerTest() {
    pop->SetHost("127.0.0.1");
    pop->SetPause(kQuickPause);
    pop->SetUser(kCanaryUser);
    pop->SetPassword(kCanaryPassword);
  }
  ~Pop3ServerTest() override {
    EXPECT_TRUE(WaitForWorkers(main));
    server.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  // With a certificate, the server offers STLS on its port and speaks TLS
  // from the first byte on tlsPort.
  void StartServer(const std::string& certificate = "") {
    // Under the system's temporary folder: as root Dovecot reads its files
    // as its own unprivileged users, who may not reach into a build tree
    // below a private home folder.
    folder = std::filesystem::temp_directory_path() / ("orvane-pop3-" + std::to_string(::getpid()));
    StartedServer started = StartDovecot(folder, kCanaryUser, kCanaryPassword, certificate);
    ASSERT_TRUE(started.process) << "Dovecot did not start; see " << (folder / "dovecot.log");
    server = std::move(started.process);
    tlsPort = started.tlsPort;
    pop->SetPort(started.port);
  }

  void LogIn() {
    pop->Authenticate(true);
    EXPECT_TRUE(WaitForWorkers(main));
    EXPECT_EQ(events.Destroyed, 1);
  }

  QueuedMainThread main;
  std::unique_ptr<TZelPop3> pop = std::make_unique<TZelPop3>(main);
  PopEvents events{*pop};
  std::filesystem::path folder;
  std::unique_ptr<ServerProcess> server;
  int tlsPort = 0;
};

TEST_F(Pop3ServerTest, LogsInWithUserAndPass) {
  StartServer();
  LogIn();
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "status PASS",
                                     "authenticated before-smtp", "status QUIT", "destroy"}));
}

TEST_F(Pop3ServerTest, ReportsAWrongPassword) {
  StartServer();
  pop->SetPassword("not the password");
  LogIn();
  EXPECT_EQ(events.Actions(), (Trace{"status USER orvane", "status PASS", "auth-failed before-smtp",
                                     "error 4", "status QUIT", "destroy"}));
}

TEST_F(Pop3ServerTest, LogsInWithApopAgainstTheGreetingsTimestamp) {
  StartServer();
  pop->SetAPOP(true);
  LogIn();
  ASSERT_FALSE(events.Trace.empty());
  EXPECT_TRUE(events.Trace[0].ends_with(">\r\n")) << events.Trace[0];
  EXPECT_EQ(events.Actions(),
            (Trace{"status APOP", "authenticated before-smtp", "status QUIT", "destroy"}));
}

TEST_F(Pop3ServerTest, ReportsConnectOnAPortWhereNothingListens) {
  pop->SetPort(UnusedPort());
  LogIn();
  EXPECT_EQ(events.Trace, (Trace{"error 0", "destroy"}));
}

TEST_F(Pop3ServerTest, LogsInOverStlsAndOverTlsFromTheFirstByte) {
  TrustTestCa trust;
  StartServer("server");
  const int plainPort = pop->Port();
  struct Case {
    TSecurity security;
    bool apop;
    Trace actions;
  } cases[] = {
      {scStartTls,
       false,
       {"status STLS", "status USER orvane", "status PASS", "authenticated before-smtp",
        "status QUIT", "destroy"}},
      {scStartTls,
       true,
       {"status STLS", "status APOP", "authenticated before-smtp", "status QUIT", "destroy"}},
      {scTls,
       false,
       {"status USER orvane", "status PASS", "authenticated before-smtp", "status QUIT",
        "destroy"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.security * 10 + c.apop);
    events.Clear();
    pop->SetSecurity(c.security);
    pop->SetPort(c.security == scTls ? tlsPort : plainPort);
    pop->SetAPOP(c.apop);
    pop->SetPlainAuth(paRefuse);
    LogIn();
    EXPECT_EQ(events.Actions(), c.actions);
    ASSERT_FALSE(events.Notices.empty());
    EXPECT_TRUE(events.Notices[0].starts_with(WideToSjis(u"TLS で暗号化しました (TLSv1.3 ")))
        << events.Notices[0];
  }
}

TEST_F(Pop3ServerTest, RefusesAServerWhoseCertificateIsSelfSigned) {
  TrustTestCa trust;
  StartServer("selfsigned");
  pop->SetSecurity(scTls);
  pop->SetPort(tlsPort);
  LogIn();
  EXPECT_EQ(events.Actions(), (Trace{"error 6", "destroy"}));
  EXPECT_NE(events.LocalError.find(WideToUtf8(u"自己署名")), std::string::npos);
  ASSERT_EQ(events.Notices.size(), 1u);
  EXPECT_TRUE(events.Notices[0].ends_with(TestCertificates::Fingerprint("selfsigned")));
}

}  // namespace
}  // namespace orvane::test
