#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "support/MailServers.h"
#include "support/TempFolder.h"
#include "support/TestCertificates.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using Trace = std::vector<std::string>;

// Deliveries to the SMTP server of tests/servers, which stores each message
// and its envelope in a folder of the test.
class SmtpServerTest : public SmtpClientTest {
 protected:
  void StartServer(const std::string& auth, const std::string& password = kCanaryPassword,
                   const std::vector<std::string>& refused = {},
                   const std::vector<std::string>& more = {}) {
    StartedServer started =
        StartSmtpServer(folder.Path(), kCanaryUser, password, auth, refused, more);
    ASSERT_TRUE(started.process) << "the SMTP test server did not start";
    server = std::move(started.process);
    smtp->SetPort(started.port);
  }

  // A server with TLS (`mode` "implicit" or "starttls") and the test
  // certificate `certificate`, refusing every answer in `failing`.
  void StartTlsServer(const std::string& mode, const std::string& certificate,
                      const std::string& auth = "LOGIN,PLAIN,CRAM-MD5",
                      const std::string& failing = "") {
    StartServer(auth, kCanaryPassword, {},
                {"--tls", mode, "--cert", TestCertificates::Pem(certificate).native(), "--key",
                 TestCertificates::Key(certificate).native(), "--fail-auth", failing});
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
  EXPECT_NE(std::find_if(events.Trace.begin(), events.Trace.end(),
                         [](const std::string& line) {
                           return line.starts_with("rcpt-error b@example.com (5");
                         }),
            events.Trace.end());
  ASSERT_TRUE(Stored());
  EXPECT_EQ(
      Envelope(),
      R"({"user":null,"mailFrom":"me@example.com","rcptTo":["a@example.com","c@example.com"]})");
}

TEST_F(SmtpServerTest, DeliversOverTlsWithEveryMechanism) {
  TrustTestCa trust;
  struct Case {
    const char* mode;
    TSecurity security;
    const char* auth;
    const char* host;
    const char* failing = "";  // the mechanism the server refuses
    Trace tried{};             // the AUTH lines; the one of `auth` when empty
  } cases[] = {
      {"implicit", scTls, "PLAIN", "127.0.0.1"},
      {"implicit", scTls, "LOGIN", "localhost"},
      {"implicit", scTls, "CRAM-MD5", "127.0.0.1"},
      {"starttls", scStartTls, "PLAIN", "localhost"},
      {"starttls", scStartTls, "LOGIN", "127.0.0.1"},
      {"starttls", scStartTls, "CRAM-MD5", "localhost"},
      // Over TLS a failed CRAM-MD5 gives way to LOGIN.
      {"starttls",
       scStartTls,
       "CRAM-MD5,LOGIN",
       "localhost",
       "CRAM-MD5",
       {"status AUTH CRAM-MD5", "status AUTH LOGIN"}},
  };
  smtp->SetSmtpAuth(true);
  smtp->SetMessage(kMessage);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.auth);
    events.Clear();
    std::filesystem::remove_all(folder / "1.json");
    StartTlsServer(c.mode, "server", c.auth, c.failing);
    smtp->SetSecurity(c.security);
    smtp->SetHost(c.host);
    // An account that refuses plain-text passwords still logs in over TLS.
    smtp->SetPlainAuth(paRefuse);
    Deliver();
    server.reset();
    EXPECT_TRUE(events.Success);
    Trace tried;
    for (const std::string& action : events.Actions())
      if (action.starts_with("status AUTH")) tried.push_back(action);
    EXPECT_EQ(tried, c.tried.empty() ? Trace{std::string("status AUTH ") + c.auth} : c.tried);
    ASSERT_TRUE(Stored());
    EXPECT_EQ(ReadFile(folder / "1.eml"), kMessage);
    EXPECT_TRUE(Envelope().starts_with(R"({"user":"orvane",)")) << Envelope();
    EXPECT_TRUE(Envelope().ends_with(R"("secure":true})")) << Envelope();
    EXPECT_TRUE(events.Noticed(u"TLS で暗号化しました (TLSv1.3 "));
  }
}

TEST_F(SmtpServerTest, SendsTheBodyOverTlsInRecordsOf16KiBWithProgressAfterEach) {
  TrustTestCa trust;
  StartTlsServer("implicit", "server");
  smtp->SetSecurity(scTls);
  std::string body = kMessage;
  while (body.size() < 40000) body += std::string(76, 'a' + body.size() % 26) + "\r\n";
  smtp->SetMessage(body);
  Deliver();
  EXPECT_TRUE(events.Success);
  EXPECT_EQ(ReadFile(folder / "1.eml"), body);
  // On the wire: three lines get a second dot, and the terminator takes
  // the place of the last line break.
  const std::int64_t size = static_cast<std::int64_t>(body.size());
  EXPECT_EQ(events.Progress, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                                 {size, 16384}, {size, 32768}, {size, size + 3 - 2 + 5}}));
}

TEST_F(SmtpServerTest, EndsEachCertificateFaultWithItsReasonAndFingerprint) {
  struct Case {
    const char* certificate;
    bool trustCa;
    std::string pin;
    std::u16string reason;  // empty: the certificate is accepted
    AnsiString host = "127.0.0.1";
  } cases[] = {
      {"expired", true, "", u"期限切れです"},
      {"otherhost", true, "", u"ホスト名が一致しません。設定のサーバ名 127.0.0.1 が"},
      {"selfsigned", true, "", u"自己署名のため信頼できません"},
      {"server", false, "", u"発行者を信頼できません"},
      {"server", true, TestCertificates::Fingerprint("selfsigned"),
       u"フィンガープリントと一致しません"},
      {"server", true, "00:11", u"TlsFingerprint は SHA-256 のフィンガープリント"},
      // A pinned certificate counts whatever its chain says.
      {"selfsigned", false, TestCertificates::Fingerprint("selfsigned"), u""},
      {"expired", true, TestCertificates::Fingerprint("expired"), u""},
      // A name OpenSSL cannot check against the certificate checks none.
      {"otherhost", true, "", u"サーバ名を証明書と照らし合わせることができません",
       AnsiString("localhost\0.example", 18)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.certificate) + " pin " + c.pin);
    std::optional<TrustTestCa> trust;
    if (c.trustCa) trust.emplace();
    events.Clear();
    std::filesystem::remove_all(folder / "1.json");
    StartTlsServer("implicit", c.certificate);
    smtp->SetSecurity(scTls);
    smtp->SetTlsFingerprint(c.pin);
    smtp->SetHost(c.host);
    Deliver();
    server.reset();
    EXPECT_EQ(events.Success, c.reason.empty());
    EXPECT_EQ(Stored(), c.reason.empty());
    if (c.reason.empty()) continue;
    EXPECT_EQ(events.Actions(), (Trace{"error 8", "closed failed", "destroy"}));
    EXPECT_NE(events.LocalError.find(WideToUtf8(c.reason)), std::string::npos) << events.LocalError;
    // The name is refused before the handshake.
    EXPECT_EQ(events.Noticed(u"サーバの証明書の SHA-256 フィンガープリント: " +
                             Utf8ToWide(TestCertificates::Fingerprint(c.certificate))),
              c.host == "127.0.0.1");
  }
}

TEST_F(SmtpServerTest, TakesThePinWithoutColonsInEitherCase) {
  std::string pin;
  for (char ch : TestCertificates::Fingerprint("selfsigned"))
    if (ch != ':') pin += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  StartTlsServer("starttls", "selfsigned");
  smtp->SetSecurity(scStartTls);
  smtp->SetTlsFingerprint(pin);
  Deliver();
  EXPECT_TRUE(events.Success);
  EXPECT_TRUE(Envelope().ends_with(R"("secure":true})")) << Envelope();
}

}  // namespace
}  // namespace orvane::test
