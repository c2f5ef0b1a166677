// Deliveries that sign in with an OAuth 2.0 access token: XOAUTH2 against
// the SMTP server of tests/servers, which checks the token the
// authorization server issued, and OAUTHBEARER against a scripted server
// behind a TLS endpoint. The token never shows in an event.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "mime/TransferEncoding.h"
#include "oauth/AccessTokens.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/OAuthServers.h"
#include "support/ServerProcess.h"
#include "support/SignInAtServer.h"
#include "support/TempFolder.h"
#include "support/TestCertificates.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using Trace = std::vector<std::string>;

class OAuthSmtp : public SmtpClientTest {
 protected:
  OAuthSmtp() {
    smtp->SetSmtpAuth(true);
    smtp->SetTimeout(kTimeout);
  }

  // A token for kCanaryUser from the authorization server.
  AnsiString Token() {
    AuthorizationServer server({"", 3600, false, false, false});
    BrowserShell browser;
    const std::optional<SignInOutcome> outcome =
        SignInAtServer(main, server.Client(), kCanaryUser, browser);
    if (!outcome || outcome->kind != SignInOutcome::kSignedIn) return "";
    FixedClock clock;
    TAccessTokens tokens(clock);
    return tokens.Get("work", server.Client(), outcome->refreshToken).accessToken;
  }

  void StartServer(const std::string& tls, const std::string& auth) {
    server = StartOAuthSmtpServer(folder.Path(), kCanaryUser, kCanaryPassword, auth, tls);
    smtp->SetPort(server.port);
    smtp->SetSecurity(tls == "implicit" ? scTls : tls == "starttls" ? scStartTls : scNone);
  }

  void Deliver() {
    events.Clear();
    smtp->Send();
    EXPECT_TRUE(WaitForWorkers(main));
    EXPECT_EQ(events.Closed, 1);
  }

  // Whether any event or notice gave the token away.
  bool Leaked(const AnsiString& token) const {
    auto has = [&](const std::string& line) { return line.find(token) != std::string::npos; };
    return std::any_of(events.Trace.begin(), events.Trace.end(), has) ||
           std::any_of(events.Notices.begin(), events.Notices.end(), has);
  }

  TrustTestCa trust;
  TempFolder folder;
  StartedServer server;
};

TEST_F(OAuthSmtp, Xoauth2TakesTheIssuedTokenOverTlsOnly) {
  const AnsiString token = Token();
  ASSERT_FALSE(token.empty());
  struct Case {
    const char* name;
    std::string tls;
    std::string auth;
    AnsiString token;
    bool delivered;
    Trace actions;  // from the AUTH line on
    std::string localError;
  } cases[] = {
      {"issued token",
       "implicit",
       "XOAUTH2",
       token,
       true,
       {"status AUTH XOAUTH2 ********", "status MAIL FROM:<me@example.com> SIZE=23"},
       ""},
      {"after STARTTLS",
       "starttls",
       "XOAUTH2,LOGIN",
       token,
       true,
       {"status AUTH XOAUTH2 ********", "status MAIL FROM:<me@example.com> SIZE=23"},
       ""},
      // The server's error challenge is answered with an empty line.
      {"forged token",
       "implicit",
       "XOAUTH2",
       "1." + std::string(64, '0'),
       false,
       {"status AUTH XOAUTH2 ********", "error 1", "status QUIT"},
       ""},
      {"no TLS",
       "none",
       "XOAUTH2,LOGIN",
       token,
       false,
       {"error 1", "status QUIT"},
       "暗号化されていない接続ではトークンを送信しません。アカウントの設定で STARTTLS か TLS "
       "を選んでください"},
      {"not offered",
       "implicit",
       "LOGIN,PLAIN",
       token,
       false,
       {"error 1", "status QUIT"},
       "サーバが OAuth 2.0 での認証 (OAUTHBEARER、XOAUTH2) に対応していません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartServer(c.tls, c.auth);
    smtp->SetAccessToken(c.token);
    Deliver();
    EXPECT_EQ(events.Success, c.delivered);
    Trace actions = events.Actions();
    auto auth = std::find_if(actions.begin(), actions.end(), [](const std::string& a) {
      return a.starts_with("status AUTH") || a.starts_with("error");
    });
    ASSERT_LE(c.actions.size(), static_cast<size_t>(actions.end() - auth));
    EXPECT_EQ(Trace(auth, auth + static_cast<long>(c.actions.size())), c.actions);
    EXPECT_EQ(events.LocalError, c.localError);
    // The empty line let the server end the exchange with its 535.
    const bool ended =
        std::any_of(events.Trace.begin(), events.Trace.end(),
                    [](const std::string& t) { return t.starts_with("server 535"); });
    EXPECT_EQ(ended, std::string_view(c.name) == "forged token");
    EXPECT_FALSE(Leaked(token));
    EXPECT_EQ(std::filesystem::exists(folder / "1.json"), c.delivered);
    if (c.delivered) {
      EXPECT_TRUE(ReadFile(folder / "1.json").starts_with(R"({"user":"orvane",)"));
    }
    std::filesystem::remove_all(folder.Path());
    std::filesystem::create_directory(folder.Path());
  }
}

// RFC 7628 section 3.2.3: after an error challenge the client sends a
// lone ^A, and the server ends the exchange.
TEST_F(OAuthSmtp, OauthBearerIsPreferredAndEndsAfterTheErrorChallenge) {
  const AnsiString token = "ya29.vF9dft4qmTc2Nvb3RlckBhbHRhdmlzdGEuY29tCg";
  const char* const ehlo = "250-mx\r\n250-AUTH XOAUTH2 OAUTHBEARER PLAIN\r\n250 8BITMIME\r\n";
  struct Case {
    const char* name;
    bool accepted;
  } cases[] = {{"accepted", true}, {"error challenge", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string authLine;
    std::string answer;
    ScriptedServer scripted([&](Peer& p) {
      Greet(p, ehlo);
      if (c.accepted) {
        authLine = p.Exchange("235 ok\r\n");
        Accept(p);
      } else {
        authLine = p.Exchange("334 eyJzdGF0dXMiOiI0MDEiLCJzY2hlbWVzIjoiYmVhcmVyIn0=\r\n");
        answer = p.Exchange("535 not accepted\r\n");
        p.Exchange("221 bye\r\n");
      }
    });
    ServerProcess proxy({"node", ORVANE_SOURCE_DIR "/tests/servers/tls-proxy.js", "--cert",
                         TestCertificates::Pem("server").native(), "--key",
                         TestCertificates::Key("server").native(), "--target",
                         std::to_string(scripted.Port())});
    const int port = AnnouncedPort(proxy);
    smtp->SetPort(port);
    smtp->SetSecurity(scTls);
    smtp->SetAccessToken(token);
    Deliver();
    scripted.Join();
    EXPECT_EQ(scripted.Failure(), "");
    EXPECT_EQ(events.Success, c.accepted);
    ASSERT_TRUE(authLine.starts_with("AUTH OAUTHBEARER ")) << authLine;
    EXPECT_EQ(Base64Decode(std::string_view(authLine).substr(17)),
              "n,a=orvane,\x01host=127.0.0.1\x01port=" + std::to_string(port) +
                  "\x01"
                  "auth=Bearer " +
                  token + "\x01\x01");
    EXPECT_EQ(answer, c.accepted ? "" : "AQ==\r\n");
    EXPECT_FALSE(Leaked(token));
    EXPECT_FALSE(Leaked(authLine.substr(17, 40)));
  }
}

}  // namespace
}  // namespace orvane::test
