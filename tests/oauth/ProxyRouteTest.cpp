#include <gtest/gtest.h>

#include <map>
#include <string>

#include "oauth/ProxyRoute.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

constexpr const char16_t* kBadVariable =
    u"環境変数 https_proxy のプロキシのアドレスを読めません。http://ホスト名:ポート番号 "
    u"の形にするか、設定 > オプション設定 の「プロキシ」で指定してください";
constexpr const char16_t* kBadManual =
    u"プロキシのアドレスは http://ホスト名:ポート番号 の形で入力してください。"
    u"ユーザ名とパスワードはそれぞれの欄に入力します (設定 > オプション設定 の「プロキシ」)";

ProxyRoute Via(const char* name, const char* variable, const char* user = "",
               const char* password = "") {
  return {std::string("http://") + name, name, user, password, variable};
}

TEST(ProxyRoute, TheSettingsAndTheEnvironmentChooseTheWayToTheEndpoint) {
  using M = ProxySettings::Mode;
  struct Case {
    ProxySettings settings;
    std::map<std::string, std::string> environment;
    const char* host;
    std::optional<ProxyRoute> route;
    const char16_t* error = u"";
  } cases[] = {
      {{M::kDirect, "http://p:1", "", "", ""}, {{"https_proxy", "http://q:2"}}, "a.jp", {}},
      // Mode 1: https_proxy before HTTPS_PROXY, an empty one as unset;
      // credentials in the variable are percent-decoded, the scheme optional.
      {{}, {}, "a.jp", {}},
      {{}, {{"https_proxy", ""}, {"HTTPS_PROXY", "q:8"}}, "a.jp", Via("q:8", "HTTPS_PROXY")},
      {{},
       {{"https_proxy", "http://t:p%40s@[::1]:3/"}, {"HTTPS_PROXY", "http://q:2"}},
       "a.jp",
       Via("[::1]:3", "https_proxy", "t", "p@s")},
      // no_proxy before NO_PROXY: "*", the host, or a domain it lies in,
      // without case, separated by commas or blanks.
      {{}, {{"https_proxy", "p:1"}, {"no_proxy", "*"}}, "a.jp", {}},
      {{}, {{"https_proxy", "p:1"}, {"NO_PROXY", "x.jp, .Example.JP"}}, "login.example.jp", {}},
      {{},
       {{"https_proxy", "p:1"}, {"no_proxy", "b.jp ample.jp"}, {"NO_PROXY", "*"}},
       "example.jp",
       Via("p:1", "https_proxy")},
      // No proxy address: no other scheme, path or missing port, and the
      // password stays unsaid.
      {{}, {{"https_proxy", "https://p:1"}}, "a.jp", {}, kBadVariable},
      {{}, {{"https_proxy", "http://p:1/path"}}, "a.jp", {}, kBadVariable},
      {{}, {{"https_proxy", "http://taro:secret@p"}}, "a.jp", {}, kBadVariable},
      // Mode 2: the fields, never the environment; the user and password
      // turn from Shift_JIS into UTF-8.
      {{M::kManual, " http://p:8 ", WideToSjis(u"太郎"), "pw", "b.jp"},
       {{"no_proxy", "*"}},
       "a.jp",
       Via("p:8", "", "太郎", "pw")},
      {{M::kManual, "http://p:8", "", "", "a.jp,b.jp"}, {}, "B.jp", {}},
      {{M::kManual, "http://taro:pw@p:8", "", "", ""}, {}, "a.jp", {}, kBadManual},
  };
  for (const Case& c : cases) {
    const auto environment = [&](const char* name) -> const char* {
      const auto it = c.environment.find(name);
      return it == c.environment.end() ? nullptr : it->second.c_str();
    };
    SCOPED_TRACE(c.settings.url + " " + c.host + " " +
                 (c.environment.empty() ? "" : c.environment.begin()->second));
    std::optional<ProxyRoute> route;
    WideString error;
    try {
      route = ChooseProxy(c.settings, c.host, environment);
    } catch (const Error& e) {
      error = e.Message();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(route, c.route);
  }
}

}  // namespace
}  // namespace orvane
