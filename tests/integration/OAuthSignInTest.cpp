// Sign-in in the browser and token refresh against the authorization
// server of tests/servers over HTTPS, with a browser that follows the
// redirects by plain HTTP requests.
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "oauth/AccessTokens.h"
#include "oauth/SignIn.h"
#include "oauth/TokenClient.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/Fakes.h"
#include "support/OAuthServers.h"
#include "support/SignInAtServer.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

bool Contains(const WideString& text, const WideString& part) {
  return text.find(part) != WideString::npos;
}

class OAuthSignIn : public ::testing::Test {
 protected:
  std::optional<SignInOutcome> SignIn(BrowserShell& browser, const OAuthClient& client,
                                      std::chrono::milliseconds timeout = 30s) {
    return SignInAtServer(main, client, "orvane", browser, timeout);
  }

  TrustTestCa trust;
  QueuedMainThread main;
};

TEST_F(OAuthSignIn, EndsAsTheBrowserAndTheTokenEndpointDecide) {
  using S = SignInOutcome;
  struct Case {
    const char* name;
    AuthorizationServer::Options server;
    std::string clientSecret;  // what the account holds
    S::Kind kind;
    const char16_t* reason;  // a part of it
    const char* page;        // the browser's last page
    std::vector<std::string> decisions;
    std::chrono::milliseconds timeout = 30s;
  } cases[] = {
      {"signed in",
       {"", 3600, false, false, false},
       "",
       S::kSignedIn,
       u"",
       "200",
       {"AUTHORIZE ok", "TOKEN authorization_code ok"}},
      {"with the client secret",
       {"s3cret", 3600, false, false, false},
       "s3cret",
       S::kSignedIn,
       u"",
       "200",
       {"AUTHORIZE ok", "TOKEN authorization_code ok"}},
      {"wrong client secret",
       {"s3cret", 3600, false, false, false},
       "guess",
       S::kFailed,
       u"invalid_client: test: invalid_client (HTTP 401)",
       "200",
       {"AUTHORIZE ok", "TOKEN authorization_code invalid_client"}},
      {"consent refused",
       {"", 3600, false, true, false},
       "",
       S::kFailed,
       u"サインインが拒否されました (access_denied)",
       "200",
       {"AUTHORIZE access_denied"}},
      // An answer to someone else's request never reaches the endpoint; the
      // sign-in waits on for its own.
      {"state mismatch",
       {"", 3600, false, false, true},
       "",
       S::kTimedOut,
       u"",
       "400",
       {"AUTHORIZE ok"},
       5s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AuthorizationServer server(c.server);
    ASSERT_NE(server.Port(), 0);
    BrowserShell browser;
    OAuthClient client = server.Client();
    client.clientSecret = c.clientSecret;
    const std::optional<SignInOutcome> outcome = SignIn(browser, client, c.timeout);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->kind, c.kind);
    EXPECT_TRUE(Contains(outcome->reason, c.reason)) << WideToUtf8(outcome->reason);
    EXPECT_EQ(outcome->refreshToken.empty(), c.kind != S::kSignedIn);
    EXPECT_EQ(browser.LastPage(), c.page);
    for (const std::string& decision : c.decisions) EXPECT_EQ(server.NextDecision(), decision);
    ASSERT_EQ(browser.openedUrls.size(), 1u);
    const std::string url = WideToUtf8(browser.openedUrls[0]);
    EXPECT_TRUE(url.starts_with(client.authorizeUrl + "?response_type=code&client_id=")) << url;
    EXPECT_NE(url.find("&login_hint=orvane"), std::string::npos) << url;
  }
}

TEST_F(OAuthSignIn, TimeOutAndCancelLeaveNothingListening) {
  AuthorizationServer server({"", 3600, false, false, false});
  BrowserShell browser;
  browser.follow = false;  // the user never finishes in the browser
  const std::optional<SignInOutcome> outcome = SignIn(browser, server.Client(), 200ms);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->kind, SignInOutcome::kTimedOut);

  bool reported = false;
  {
    TOAuthSignIn signIn(browser, main);
    signIn.Start(server.Client(), "orvane", [&](const SignInOutcome&) { reported = true; });
    signIn.Cancel();
    main.PumpPending();
  }
  main.PumpPending();
  EXPECT_FALSE(reported);
  EXPECT_EQ(browser.openedUrls.size(), 2u);
}

TEST_F(OAuthSignIn, EndpointsOutsideHttpsAreRefusedBeforeTheBrowserOpens) {
  BrowserShell browser;
  OAuthClient client{"id", "", "http://127.0.0.1:1/authorize", "https://127.0.0.1:1/token",
                     "s",  ""};
  const std::optional<SignInOutcome> outcome = SignIn(browser, client);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->reason, u"認可URLとトークンURLは https:// で始まるアドレスにしてください");
  EXPECT_TRUE(browser.openedUrls.empty());
}

// The access tokens of deliveries: kept while they live, refreshed when
// they are about to expire, and a revoked grant reported as such.
TEST_F(OAuthSignIn, AccessTokensAreKeptRefreshedAndRefused) {
  AuthorizationServer server({"", 600, false, false, false});
  BrowserShell browser;
  const std::optional<SignInOutcome> signedIn = SignIn(browser, server.Client());
  ASSERT_TRUE(signedIn && signedIn->kind == SignInOutcome::kSignedIn);
  server.NextDecision();
  server.NextDecision();

  FixedClock clock(TimePoint{} + std::chrono::hours(1000));
  TAccessTokens tokens(clock);
  using R = AccessTokenResult;
  struct Step {
    const char* name;
    std::chrono::seconds later;  // the clock moves on before the step
    const char* refreshToken;    // "": the account's own
    R::Kind kind;
    const char* decision;  // what the server decided; "" when not asked
  } steps[] = {
      {"first delivery", 0s, "", R::kToken, "TOKEN refresh_token ok"},
      {"within its life", 500s, "", R::kToken, ""},
      {"expiring within a minute", 41s, "", R::kToken, "TOKEN refresh_token ok"},
      {"another refresh token", 0s, "unknown", R::kExpired, "TOKEN refresh_token invalid_grant"},
      {"not signed in", 0s, "-", R::kNotSignedIn, ""},
  };
  AnsiString last;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    clock.Set(clock.Now() + s.later);
    const AnsiString refresh = std::string_view(s.refreshToken) == "-" ? AnsiString()
                               : *s.refreshToken                       ? s.refreshToken
                                                                       : signedIn->refreshToken;
    const R result = tokens.Get("work", server.Client(), refresh);
    EXPECT_EQ(result.kind, s.kind) << WideToUtf8(result.reason);
    if (s.kind == R::kToken && std::string_view(s.decision).empty()) {
      EXPECT_EQ(result.accessToken, last);
    }
    if (s.kind == R::kToken) last = result.accessToken;
    if (*s.decision) {
      EXPECT_EQ(server.NextDecision(), s.decision);
    }
  }

  // A grant revoked at the provider ends at the next refresh.
  server.RevokeGrants();
  clock.Set(clock.Now() + 600s);
  const R revoked = tokens.Get("work", server.Client(), signedIn->refreshToken);
  EXPECT_EQ(revoked.kind, R::kExpired);
  EXPECT_EQ(revoked.reason, u"invalid_grant: test: invalid_grant (HTTP 400)");
  EXPECT_EQ(server.NextDecision(), "TOKEN refresh_token invalid_grant");
}

TEST_F(OAuthSignIn, RotatedRefreshTokensReplaceTheOldOne) {
  AuthorizationServer server({"", 0, true, false, false});
  BrowserShell browser;
  const std::optional<SignInOutcome> signedIn = SignIn(browser, server.Client());
  ASSERT_TRUE(signedIn && signedIn->kind == SignInOutcome::kSignedIn);
  const AnsiString stored = signedIn->refreshToken;
  FixedClock clock;
  TAccessTokens tokens(clock);
  // Two deliveries at once, with the token of the account file: one
  // refreshes after the other, each with the newest refresh token, since
  // the endpoint spends the old one at once. A token without a lifetime
  // serves one delivery only.
  AccessTokenResult first;
  std::thread other([&] { first = tokens.Get("work", server.Client(), stored); });
  const AccessTokenResult second = tokens.Get("work", server.Client(), stored);
  other.join();
  for (const AccessTokenResult& result : {first, second}) {
    EXPECT_EQ(result.kind, AccessTokenResult::kToken) << WideToUtf8(result.reason);
    EXPECT_FALSE(result.newRefreshToken.empty());
    EXPECT_NE(result.newRefreshToken, stored);
  }
  EXPECT_NE(first.newRefreshToken, second.newRefreshToken);
  // The account file could not take the new token: the next delivery still
  // goes on with the newest one and hands it back to be stored again.
  const AccessTokenResult third = tokens.Get("work", server.Client(), stored);
  EXPECT_EQ(third.kind, AccessTokenResult::kToken) << WideToUtf8(third.reason);
  EXPECT_FALSE(third.newRefreshToken.empty());
  EXPECT_EQ(tokens.Get("work", server.Client(), third.newRefreshToken).kind,
            AccessTokenResult::kToken);
}

TEST(OAuthTokenEndpoint, ItsCertificateIsChecked) {
  std::optional<AuthorizationServer> server;
  {
    TrustTestCa trust;
    server.emplace(AuthorizationServer::Options{});
  }
  // The test CA is not trusted now: the endpoint's certificate is refused
  // before anything is sent.
  ::setenv("SSL_CERT_FILE", "/nonexistent", 1);
  ::setenv("SSL_CERT_DIR", "/nonexistent", 1);
  TokenClient https(10s, {});
  try {
    https.PostForm(HttpsUrl{"127.0.0.1", server->Port(), "/token"}, "grant_type=refresh_token");
    ADD_FAILURE() << "posted to an untrusted endpoint";
  } catch (const Error& e) {
    EXPECT_TRUE(Contains(e.Message(),
                         u"127.0.0.1 に接続できません: サーバの証明書の発行者を信頼できません"))
        << WideToUtf8(e.Message());
  }
  ::unsetenv("SSL_CERT_FILE");
  ::unsetenv("SSL_CERT_DIR");
}

}  // namespace
}  // namespace orvane::test
