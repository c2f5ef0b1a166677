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
using M = ProxySettings::Mode;
using R = AccessTokenResult;

constexpr const char* kUser = "taro";
constexpr const char* kPassword = "pr0xy-pa55";

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
  std::string Via(int port) const {
    return "http://" + std::string(kUser) + ':' + kPassword + "@127.0.0.1:" + std::to_string(port);
  }

  TrustTestCa trust;
  QueuedMainThread main;
  TempFolder folder;
  HttpProxy proxy{folder.Path(), kUser, kPassword};
};

TEST_F(OAuthProxy, SignInAndRefreshGoThroughTheProxyOfTheEnvironmentOrTheSettings) {
  AuthorizationServer server({});
  const std::string endpoint = "127.0.0.1:" + std::to_string(server.Port());
  struct Case {
    const char* name;
    ProxySettings settings;
    std::string httpsProxy;
  } cases[] = {
      {"environment", {}, Via(proxy.Port())},
      // The settings' proxy, whatever the environment says.
      {"manual", {M::kManual, proxy.Url(), kUser, kPassword, ""}, Via(UnusedPort())},
  };
  std::vector<std::string> connects;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetEnvironment(c.httpsProxy, "");
    OAuthClient client = server.Client();
    client.proxy = c.settings;
    BrowserShell browser;
    const std::optional<SignInOutcome> signedIn = SignInAtServer(main, client, "orvane", browser);
    ASSERT_TRUE(signedIn);
    ASSERT_EQ(signedIn->kind, SignInOutcome::kSignedIn) << WideToUtf8(signedIn->reason);
    EXPECT_EQ(server.NextDecision(), "AUTHORIZE ok");
    EXPECT_EQ(server.NextDecision(), "TOKEN authorization_code ok");
    FixedClock clock;
    TAccessTokens tokens(clock);
    const R refreshed = tokens.Get("work", client, signedIn->refreshToken);
    EXPECT_EQ(refreshed.kind, R::kToken) << WideToUtf8(refreshed.reason);
    EXPECT_EQ(server.NextDecision(), "TOKEN refresh_token ok");
    connects.insert(connects.end(), {endpoint, endpoint});
    EXPECT_EQ(proxy.Connects(), connects);
  }
}

TEST_F(OAuthProxy, EachRefusalSaysWhatToMendAndPostsNothing) {
  HttpProxy port443Only(folder / "443", kUser, kPassword, true);
  ASSERT_TRUE(port443Only.Started());
  const int unused = UnusedPort();
  const auto proxyAt = [](int port) {
    return u"プロキシ 127.0.0.1:" + Utf8ToWide(std::to_string(port));
  };
  const WideString options = u"設定 > オプション設定 の「プロキシ」";
  const WideString mend = u"。" + options + u"で確かめてください";
  const WideString credentials =
      proxyAt(proxy.Port()) + u" がユーザ名かパスワードを受け付けませんでした";
  const WideString notListening =
      proxyAt(unused) +
      u" に接続できません (接続が拒否されました)。環境変数 https_proxy を確かめるか、" + options +
      u"で指定してください";
  const WideString refused = proxyAt(port443Only.Port()) +
                             u" がトークンの発行元 127.0.0.1 への接続を断りました (HTTP 403)" +
                             mend;
  const WideString otherHost = u"127.0.0.1 に接続できません (" + proxyAt(proxy.Port()) +
                               u" 経由): サーバの証明書のホスト名が一致しません。設定のサーバ名 "
                               u"127.0.0.1 が正しいか確かめてください";
  const WideString reached = u"invalid_grant: test: invalid_grant (HTTP 400)";
  const char* grant = "TOKEN refresh_token invalid_grant";
  const ProxySettings good{M::kManual, proxy.Url(), kUser, kPassword, ""};
  const ProxySettings anonymous{M::kManual, proxy.Url(), "", "", ""};
  const ProxySettings wrong{M::kManual, proxy.Url(), kUser, "wrong", ""};
  const ProxySettings only443{M::kManual, port443Only.Url(), kUser, kPassword, ""};
  const std::string viaUnused = Via(unused);
  struct Case {
    const char* name;
    ProxySettings settings;
    std::string httpsProxy;
    const char* noProxy;
    bool otherHost;  // the endpoint's certificate is for another host
    WideString reason;
    const char* decision;  // what the endpoint decided; "" when nothing came
    int connects;          // how many CONNECTs the proxy saw so far
  } cases[] = {
      // tinyproxy answers missing credentials with 407, wrong ones with 401.
      {"no credentials", anonymous, "", "", false, credentials + u" (HTTP 407)" + mend, "", 1},
      {"wrong password", wrong, "", "", false, credentials + u" (HTTP 401)" + mend, "", 2},
      {"proxy not listening", {}, viaUnused, "", false, notListening, "", 2},
      {"NO_PROXY names the endpoint", {}, viaUnused, "127.0.0.1", false, reached, grant, 2},
      {"CONNECT refused", only443, "", "", false, refused, "", 2},
      // The endpoint's name is checked through the tunnel, not the proxy's.
      {"certificate for another host", good, "", "", true, otherHost, "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AuthorizationServer::Options endpoint;
    endpoint.certificate = c.otherHost ? "otherhost" : "server";
    AuthorizationServer server(endpoint);
    SetEnvironment(c.httpsProxy, c.noProxy);
    OAuthClient client = server.Client();
    client.proxy = c.settings;
    FixedClock clock;
    TAccessTokens tokens(clock);
    const R result = tokens.Get("work", client, "unknown");
    EXPECT_EQ(result.kind, *c.decision ? R::kExpired : R::kUnreachable);
    EXPECT_EQ(WideToUtf8(result.reason), WideToUtf8(c.reason));
    EXPECT_EQ(result.reason.find(u"wrong"), WideString::npos);
    EXPECT_EQ(server.NextDecision(*c.decision ? 10s : 1s), c.decision);
    EXPECT_EQ(proxy.Connects().size(), static_cast<std::size_t>(c.connects));
  }
}

}  // namespace
}  // namespace orvane::test
