// The token endpoint of the test authorization server reached through a
// real HTTP proxy (tinyproxy with Basic authentication) on 127.0.0.1: the
// proxy named by the environment or by the settings, and what each way of
// failing tells the user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "oauth/AccessTokens.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/HttpProxy.h"
#include "support/OAuthServers.h"
#include "support/ScriptedServer.h"
#include "support/SignInAtServer.h"
#include "support/TempFolder.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using R = AccessTokenResult;

constexpr const char* kUser = "taro";
constexpr const char* kPassword = "pr0xy-pa55";

std::string Via(int port) {
  return "http://" + std::string(kUser) + ':' + kPassword + "@127.0.0.1:" + std::to_string(port);
}
ProxySettings Manual(const HttpProxy& proxy, const char* user = kUser,
                     const char* password = kPassword) {
  return {ProxySettings::kManual, proxy.Url(), user, password, ""};
}
R Refresh(const OAuthClient& client, const std::string& token) {
  FixedClock clock;
  return TAccessTokens(clock).Get("work", client, token);
}

class OAuthProxy : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(proxy.Started()); }
  void TearDown() override { SetEnvironment("", ""); }

  static void SetEnvironment(const std::string& httpsProxy, const std::string& noProxy) {
    for (const char* name : {"https_proxy", "HTTPS_PROXY", "no_proxy", "NO_PROXY"})
      ::unsetenv(name);
    if (!httpsProxy.empty()) ::setenv("https_proxy", httpsProxy.c_str(), 1);
    if (!noProxy.empty()) ::setenv("NO_PROXY", noProxy.c_str(), 1);
  }
  // The server's client going by `settings`, with only the given proxy variables set.
  static OAuthClient Client(const AuthorizationServer& server, const ProxySettings& settings,
                            const std::string& httpsProxy, const std::string& noProxy = "") {
    SetEnvironment(httpsProxy, noProxy);
    OAuthClient client = server.Client();
    client.proxy = settings;
    return client;
  }

  TrustTestCa trust;
  QueuedMainThread main;
  TempFolder folder;
  HttpProxy proxy{folder.Path(), kUser, kPassword};
};

TEST_F(OAuthProxy, SignInAndRefreshGoThroughTheProxyOfTheEnvironmentOrTheSettings) {
  AuthorizationServer server({});
  const std::string endpoint = "127.0.0.1:" + std::to_string(server.Port());
  std::vector<std::string> connects;
  // The settings' proxy is taken whatever the environment says.
  for (const auto& [settings, httpsProxy] :
       {std::pair{ProxySettings{}, Via(proxy.Port())}, {Manual(proxy), Via(UnusedPort())}}) {
    SCOPED_TRACE(settings.url);
    const OAuthClient client = Client(server, settings, httpsProxy);
    BrowserShell browser;
    const std::optional<SignInOutcome> signedIn = SignInAtServer(main, client, "orvane", browser);
    ASSERT_TRUE(signedIn);
    ASSERT_EQ(signedIn->kind, SignInOutcome::kSignedIn) << WideToUtf8(signedIn->reason);
    EXPECT_EQ(server.NextDecision(), "AUTHORIZE ok");
    EXPECT_EQ(server.NextDecision(), "TOKEN authorization_code ok");
    const R refreshed = Refresh(client, signedIn->refreshToken);
    EXPECT_EQ(refreshed.kind, R::kToken) << WideToUtf8(refreshed.reason);
    EXPECT_EQ(server.NextDecision(), "TOKEN refresh_token ok");
    connects.insert(connects.end(), {endpoint, endpoint});
    EXPECT_EQ(proxy.Connects(), connects);
  }
}

TEST_F(OAuthProxy, EachRefusalSaysWhatToMendAndPostsNothing) {
  HttpProxy only443(folder / "443", kUser, kPassword, true);
  ASSERT_TRUE(only443.Started());
  const int unused = UnusedPort();
  const auto at = [](int port) {
    return u"プロキシ 127.0.0.1:" + Utf8ToWide(std::to_string(port));
  };
  const WideString options = u"設定 > オプション設定 の「プロキシ」";
  const WideString mend = u"。" + options + u"で確かめてください";
  const WideString credentials =
      at(proxy.Port()) + u" がユーザ名かパスワードを受け付けませんでした";
  const WideString notListening =
      at(unused) +
      u" に接続できません (接続が拒否されました)。環境変数 https_proxy を確かめるか、" + options +
      u"で指定してください";
  const WideString refused =
      at(only443.Port()) + u" がトークンの発行元 127.0.0.1 への接続を断りました (HTTP 403)" + mend;
  const WideString otherHost = u"127.0.0.1 に接続できません (" + at(proxy.Port()) +
                               u" 経由): サーバの証明書のホスト名が一致しません。設定のサーバ名 "
                               u"127.0.0.1 が正しいか確かめてください";
  const WideString reached = u"invalid_grant: test: invalid_grant (HTTP 400)";
  struct Case {
    ProxySettings settings;
    std::string httpsProxy;
    const char* noProxy;
    bool otherHost;  // the endpoint's certificate is for another host
    WideString reason;
    const char* decision;  // what the endpoint decided; "" when nothing came
    int connects;          // how many CONNECTs the proxy saw so far
  } cases[] = {
      // tinyproxy answers missing credentials with 407, wrong ones with 401.
      {Manual(proxy, "", ""), "", "", false, credentials + u" (HTTP 407)" + mend, "", 1},
      {Manual(proxy, kUser, "wrong"), "", "", false, credentials + u" (HTTP 401)" + mend, "", 2},
      {{}, Via(unused), "", false, notListening, "", 2},
      {{}, Via(unused), "127.0.0.1", false, reached, "TOKEN refresh_token invalid_grant", 2},
      {Manual(only443), "", "", false, refused, "", 2},
      // The endpoint's name is checked through the tunnel, not the proxy's.
      {Manual(proxy), "", "", true, otherHost, "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.reason));
    AuthorizationServer::Options endpoint;
    endpoint.certificate = c.otherHost ? "otherhost" : "server";
    AuthorizationServer server(endpoint);
    const R result = Refresh(Client(server, c.settings, c.httpsProxy, c.noProxy), "unknown");
    EXPECT_EQ(result.kind, *c.decision ? R::kExpired : R::kUnreachable);
    EXPECT_EQ(WideToUtf8(result.reason), WideToUtf8(c.reason));
    EXPECT_EQ(server.NextDecision(*c.decision ? 10s : 1s), c.decision);
    EXPECT_EQ(proxy.Connects().size(), static_cast<std::size_t>(c.connects));
  }
}

}  // namespace
}  // namespace orvane::test
