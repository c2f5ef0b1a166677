// The send window delivering through an account set up for STARTTLS and
// for TLS from the first byte, to the SMTP server of tests/servers.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/SendFixture.h"
#include "support/ServerProcess.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {

TEST_F(SendTest, DeliversThroughAnEncryptedAccount) {
  TrustTestCa trust;
  struct Case {
    const char* mode;
    const char* security;
  } cases[] = {{"starttls", "1"}, {"implicit", "2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    TempFolder mail;
    ServerProcess server({"node", ORVANE_SOURCE_DIR "/tests/servers/smtp-server.js", "--dir",
                          mail.Path().native(), "--user", kCanaryUser, "--password",
                          kCanaryPassword, "--tls", c.mode, "--cert",
                          TestCertificates::Pem("server").native(), "--key",
                          TestCertificates::Key("server").native()});
    int port = AnnouncedPort(server);
    ASSERT_NE(port, 0);
    // As the account dialog saves it: the password never goes out in plain
    // text, and here it does not have to.
    WriteAccount("Address=me@example.com\r\nSMTP=localhost\r\nSMTPPORT=" + std::to_string(port) +
                 "\r\nAuth=-1\r\nUserID=" + kCanaryUser + "\r\nPass=" + kCanaryPassword +
                 "\r\nSecurity=" + c.security + "\r\nAllowPlainAuth=0\r\n");
    delivered.clear();
    auto form = MakeForm();
    Run(*form);
    EXPECT_EQ(delivered, std::vector<bool>{true});
    ASSERT_TRUE(std::filesystem::exists(mail / "1.json"));
    EXPECT_EQ(ReadFile(mail / "1.eml"), kMessage);
    std::string envelope = ReadFile(mail / "1.json");
    EXPECT_TRUE(envelope.starts_with(R"({"user":"orvane",)")) << envelope;
    EXPECT_TRUE(envelope.ends_with(R"("secure":true})")) << envelope;
    bool secured = false;
    for (const std::string& line : LogOf(*form))
      secured |= line.starts_with("TLS で暗号化しました");
    EXPECT_TRUE(secured);
  }
}

}  // namespace
}  // namespace orvane::test
