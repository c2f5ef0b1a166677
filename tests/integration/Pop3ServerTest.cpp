#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ScriptedServer.h"
#include "support/ServerProcess.h"
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
    pop->SetPause(5);
    pop->SetUser(kCanaryUser);
    pop->SetPassword(kCanaryPassword);
  }
  ~Pop3ServerTest() override {
    EXPECT_TRUE(WaitForWorkers(main));
    server.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  void StartServer() {
    // Under the system's temporary folder: as root Dovecot reads its files
    // as its own unprivileged users, who may not reach into a build tree
    // below a private home folder.
    folder = std::filesystem::temp_directory_path() /
             ("orvane-pop3-" + std::to_string(::getpid()));
    // The port is free when chosen but may be taken before Dovecot binds
    // it; another one is tried then.
    for (int attempt = 0; attempt < 5; ++attempt) {
      int port = UnusedPort();
      std::filesystem::remove_all(folder);
      server = std::make_unique<ServerProcess>(
          std::vector<std::string>{ORVANE_SOURCE_DIR "/tests/servers/dovecot-pop3", folder.native(),
                                   std::to_string(port), kCanaryUser, kCanaryPassword});
      if (WaitForPort(port, std::chrono::seconds(20)) && server->Running()) {
        pop->SetPort(port);
        return;
      }
      server.reset();
    }
    FAIL() << "Dovecot did not start; see " << (folder / "dovecot.log");
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

}  // namespace
}  // namespace orvane::test
