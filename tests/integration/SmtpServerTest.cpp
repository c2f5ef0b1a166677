#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ServerProcess.h"
#include "support/TempFolder.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

// Deliveries to the SMTP server of tests/servers, which stores each message
// and its envelope in a folder of the test.
class SmtpServerTest : public SmtpClientTest {
 protected:
  void StartServer(const std::string& auth, const std::string& password = kCanaryPassword,
                   const std::vector<std::string>& refused = {}) {
    std::vector<std::string> argv{"node",       ORVANE_SOURCE_DIR "/tests/servers/smtp-server.js",
                                  "--dir",      folder.Path().native(),
                                  "--user",     kCanaryUser,
                                  "--password", password,
                                  "--auth",     auth};
    for (const std::string& r : refused) argv.insert(argv.end(), {"--refuse", r});
    server = std::make_unique<ServerProcess>(argv);
    std::string line = server->ReadLine(std::chrono::seconds(20));
    ASSERT_TRUE(line.starts_with("PORT ")) << "the SMTP test server did not start: " << line;
    smtp->SetPort(std::stoi(line.substr(5)));
  }

  void Deliver() {
    smtp->Send();
    EXPECT_TRUE(WaitForWorkers(main));
    EXPECT_EQ(events.Closed, 1);
    EXPECT_EQ(events.Destroyed, 1);
  }

  // The envelope the server stored for its first message, as JSON text.
  std::string Envelope() { return ReadFile(folder / "1.json"); }
  bool Stored() { return std::filesystem::exists(folder / "1.json"); }

  TempFolder folder;
  std::unique_ptr<ServerProcess> server;
};

// A message with what the wire form must carry back unchanged: lines that
// begin with dots, an empty line and Shift_JIS bytes.
const std::string kMessage =
    "From: me@example.com\r\nTo: a@example.com\r\nSubject: integration\r\n\r\n"
    ".leading dot\r\n..two dots\r\n.\r\n\r\n\x93\xfa\x96\x7b\x8c\xea\r\nlast line\r\n";

TEST_F(SmtpServerTest, DeliversWithoutAuthenticationByteForByte) {
  StartServer("LOGIN,PLAIN,CRAM-MD5");
  smtp->SetMessage(kMessage);
  Deliver();
  EXPECT_TRUE(events.Success);
  ASSERT_TRUE(Stored());
  EXPECT_EQ(ReadFile(folder / "1.eml"), kMessage);
  EXPECT_EQ(Envelope(), R"({"user":null,"mailFrom":"me@example.com","rcptTo":["a@example.com"]})");
}

TEST_F(SmtpServerTest, AuthenticatesWithCramMd5) {
  StartServer("LOGIN,PLAIN,CRAM-MD5");
  smtp->SetSmtpAuth(true);
  Deliver();
  EXPECT_TRUE(events.Success);
  EXPECT_NE(std::find(events.Trace.begin(), events.Trace.end(), "status AUTH CRAM-MD5"),
            events.Trace.end());
  ASSERT_TRUE(Stored());
  EXPECT_TRUE(Envelope().starts_with(R"({"user":"orvane",)"));
}

TEST_F(SmtpServerTest, AuthenticatesWithLoginWhenOnlyLoginIsOffered) {
  StartServer("LOGIN");
  smtp->SetSmtpAuth(true);
  Deliver();
  EXPECT_TRUE(events.Success);
  Trace actions = events.Actions();
  EXPECT_NE(std::find(actions.begin(), actions.end(), "status AUTH LOGIN"), actions.end());
  EXPECT_EQ(std::find(actions.begin(), actions.end(), "status AUTH CRAM-MD5"), actions.end());
  ASSERT_TRUE(Stored());
  EXPECT_TRUE(Envelope().starts_with(R"({"user":"orvane",)"));
}

TEST_F(SmtpServerTest, ReportsAuthWhenThePasswordIsWrong) {
  StartServer("LOGIN,PLAIN,CRAM-MD5", "another password");
  smtp->SetSmtpAuth(true);
  Deliver();
  EXPECT_FALSE(events.Success);
  Trace actions = events.Actions();
  EXPECT_EQ(Trace(actions.end() - 4, actions.end()),
            (Trace{"error 1", "status QUIT", "closed failed", "destroy"}));
  EXPECT_FALSE(Stored());
}

TEST_F(SmtpServerTest, DeliversToTheRecipientsThatAreNotRefused) {
  StartServer("LOGIN", kCanaryPassword, {"b@example.com"});
  recipients = {"a@example.com", "b@example.com", "c@example.com"};
  Deliver();
  EXPECT_TRUE(events.Success);
  EXPECT_NE(std::find(events.Trace.begin(), events.Trace.end(), "rcpt-error b@example.com"),
            events.Trace.end());
  ASSERT_TRUE(Stored());
  EXPECT_EQ(
      Envelope(),
      R"({"user":null,"mailFrom":"me@example.com","rcptTo":["a@example.com","c@example.com"]})");
}

}  // namespace
}  // namespace orvane::test
