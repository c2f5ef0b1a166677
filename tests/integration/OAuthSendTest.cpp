// The send window's controller with an account that signs in with OAuth
// 2.0: the authorization server of tests/servers issues the tokens, the
// SMTP server of tests/servers checks them over TLS.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/SendFixture.h"
#include "support/OAuthServers.h"
#include "support/ServerProcess.h"
#include "support/SignInAtServer.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class OAuthSend : public SendTest {
 protected:
  // The SMTP server with TLS from the first byte, or none.
  void StartSmtp(bool tls) {
    smtpServer =
        StartOAuthSmtpServer(mail.Path(), "orvane", "unused", "XOAUTH2", tls ? "implicit" : "none");
    smtpPort = smtpServer.port;
  }

  // The account "work" of `server`'s client, signed in unless
  // `refreshToken` says otherwise ("-": never signed in).
  void WriteOAuthAccount(const AuthorizationServer& server, const std::string& refreshToken,
                         const std::string& security = "2", bool withClientId = true) {
    OAuthClient client = server.Client();
    if (!withClientId) client.clientId.clear();
    WriteAccount("Address=orvane@example.com\r\nUserID=orvane\r\nSMTP=127.0.0.1\r\nSMTPPORT=" +
                 std::to_string(smtpPort) +
                 "\r\nAuthMethod=1\r\nOAuthProvider=custom\r\nOAuthClientId=" + client.clientId +
                 "\r\nOAuthAuthorizeUrl=" + client.authorizeUrl + "\r\nOAuthTokenUrl=" +
                 client.tokenUrl + "\r\nOAuthScope=" + client.scope + "\r\n" +
                 (refreshToken == "-" ? "" : "OAuthRefreshToken=" + refreshToken + "\r\n") +
                 "Security=" + security + "\r\n");
  }

  std::string SignedIn(const AuthorizationServer& server) {
    BrowserShell browser;
    auto outcome = SignInAtServer(main, server.Client(), "orvane", browser);
    return outcome && outcome->kind == SignInOutcome::kSignedIn ? outcome->refreshToken : "";
  }

  // One attempt from Show to Close; its log.
  Lines Send() {
    auto form = MakeForm();
    Run(*form);
    form->Close(LogWindowGeometry{0, 0, 380, 140});
    return LogOf(*form);
  }

  static bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  TrustTestCa trust;
  TempFolder mail;
  StartedServer smtpServer;
  int smtpPort = 0;
};

TEST_F(OAuthSend, SendsWithItsTokenRefreshesItAndEndsAtARevokedGrant) {
  AuthorizationServer server({"", 3600, false, false, false});
  StartSmtp(true);
  const std::string refreshToken = SignedIn(server);
  ASSERT_FALSE(refreshToken.empty());
  server.NextDecision();
  server.NextDecision();
  WriteOAuthAccount(server, refreshToken);

  struct Step {
    const char* name;
    std::chrono::minutes later;  // the clock moves on before the attempt
    bool revoke;                 // the grant is revoked before the attempt
    bool delivered;
    const char* decision;  // "": the token kept in memory served
  } steps[] = {
      {"first delivery", 0min, false, true, "TOKEN refresh_token ok"},
      {"again at once", 1min, false, true, ""},
      {"after the token expired", 60min, false, true, "TOKEN refresh_token ok"},
      {"grant revoked", 60min, true, false, "TOKEN refresh_token invalid_grant"},
  };
  int stored = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    clock.Set(clock.Now() + s.later);
    if (s.revoke) server.RevokeGrants();
    const Lines log = Send();
    EXPECT_EQ(Has(log, "送信が無事に終了しました"), s.delivered);
    EXPECT_EQ(Has(log, "コマンドを送信... AUTH XOAUTH2 ********"), s.delivered);
    if (s.delivered) ++stored;
    if (!s.delivered) {
      EXPECT_EQ(Lines(log.end() - 2, log.end()),
                (Lines{"送信に失敗しました (Auth)", kSignInExpired}));
    }
    if (*s.decision) {
      EXPECT_EQ(server.NextDecision(), s.decision);
    }
    EXPECT_EQ(std::filesystem::exists(mail / (std::to_string(stored) + ".json")), stored > 0);
    EXPECT_FALSE(std::filesystem::exists(mail / (std::to_string(stored + 1) + ".json")));
  }
  EXPECT_EQ(delivered, (std::vector<bool>{true, true, true, false}));

  // Secrets stay in the account file: the sent log holds none of the
  // tokens, nor the base64 response that carried one.
  const std::regex secret(refreshToken + "|[0-9]{10}\\.[0-9a-f]{64}|dXNlcj1vcnZhbmUB");
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home.Path())) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const std::string text = ReadFile(entry.path());
    EXPECT_EQ(std::regex_search(text, secret), entry.path().filename() == "work.ini")
        << entry.path();
  }
  EXPECT_GT(files, 4);  // the account, the sent-log index and the logs
}

TEST_F(OAuthSend, AccountsThatCannotSignInEndAtAuthSayingWhy) {
  AuthorizationServer server({"", 3600, true, false, false});
  StartSmtp(false);
  const std::string refreshToken = SignedIn(server);
  ASSERT_FALSE(refreshToken.empty());
  struct Case {
    const char* name;
    std::string refreshToken;
    std::string security;
    bool withClientId;
    Lines end;  // the last lines of the log
  } cases[] = {
      {"never signed in",
       "-",
       "2",
       true,
       {"送信に失敗しました (Auth)",
        "エラー: "
        "このアカウントはまだサインインしていません。アカウントの設定でサインインしてください"}},
      {"no client ID",
       refreshToken,
       "2",
       false,
       {"送信に失敗しました (Auth)",
        "エラー: クライアントIDが設定されていません。アカウントの設定で入力してください"}},
      // The token is fetched, then kept from the plain-text connection.
      {"no encryption",
       refreshToken,
       "0",
       true,
       {"送信に失敗しました (Auth)",
        "エラー: 暗号化されていない接続ではトークンを送信しません。アカウントの設定で STARTTLS "
        "か TLS を選んでください"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteOAuthAccount(server, c.refreshToken, c.security, c.withClientId);
    const Lines log = Send();
    ASSERT_GE(log.size(), c.end.size());
    EXPECT_EQ(Lines(log.end() - static_cast<long>(c.end.size()), log.end()), c.end);
  }
  EXPECT_FALSE(std::filesystem::exists(mail / "1.json"));
  // The refresh used in the last case was rotated: the account keeps the
  // new refresh token, the old one is spent.
  const AnsiString kept = Settings().Read("work", keys::kOAuthRefreshToken);
  EXPECT_FALSE(kept.empty());
  EXPECT_NE(kept, refreshToken);
}

}  // namespace
}  // namespace orvane::test
