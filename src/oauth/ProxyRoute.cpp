#include "oauth/ProxyRoute.h"

#include <curl/curl.h>

#include <charconv>
#include <memory>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

constexpr const char16_t* kOptionPlace = u"設定 > オプション設定 の「プロキシ」";

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// A part of the URL; nullopt when it has none.
std::optional<AnsiString> Part(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK) return std::nullopt;
  AnsiString value(text);
  curl_free(text);
  return value;
}

AnsiString SjisToUtf8(const AnsiString& text) {
  return WideToUtf8(SjisToWide(text));
}

// The first of two spellings of an environment variable that is set and
// not empty, with its name.
std::pair<AnsiString, AnsiString> Variable(const EnvironmentLookup& environment, const char* lower,
                                           const char* upper) {
  for (const char* name : {lower, upper})
    if (const char* value = environment(name); value && *value) return {name, value};
  return {};
}

ProxyRoute RouteOf(const ProxyAddress& address) {
  ProxyRoute route;
  route.name = address.host + ':' + std::to_string(address.port);
  route.url = "http://" + route.name;
  return route;
}

}  // namespace

std::optional<ProxyAddress> ParseProxyAddress(std::string_view text) {
  for (char c : text)
    if (IsBlankOrControl(c)) return std::nullopt;
  AnsiString withScheme(text);
  if (withScheme.find("://") == AnsiString::npos) withScheme.insert(0, "http://");
  std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
  if (!url || curl_url_set(url.get(), CURLUPART_URL, withScheme.c_str(), 0) != CURLUE_OK)
    return std::nullopt;
  const std::optional<AnsiString> scheme = Part(url.get(), CURLUPART_SCHEME);
  const std::optional<AnsiString> host = Part(url.get(), CURLUPART_HOST);
  const std::optional<AnsiString> port = Part(url.get(), CURLUPART_PORT);
  if (!scheme || *scheme != "http" || !host || !port || Part(url.get(), CURLUPART_PATH) != "/" ||
      Part(url.get(), CURLUPART_QUERY) || Part(url.get(), CURLUPART_FRAGMENT))
    return std::nullopt;
  ProxyAddress address;
  address.host = *host;
  std::from_chars(port->data(), port->data() + port->size(), address.port);
  if (address.port < 1) return std::nullopt;
  address.user = Part(url.get(), CURLUPART_USER, CURLU_URLDECODE).value_or("");
  address.password = Part(url.get(), CURLUPART_PASSWORD, CURLU_URLDECODE).value_or("");
  return address;
}

bool NoProxyNames(std::string_view list, std::string_view host) {
  const std::string name = ToAsciiLower(host);
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find_first_of(", \t", start);
    if (end == std::string_view::npos) end = list.size();
    std::string entry = ToAsciiLower(list.substr(start, end - start));
    start = end + 1;
    if (entry == "*") return true;
    if (entry.starts_with('.')) entry.erase(0, 1);
    if (entry.size() > 2 && entry.front() == '[' && entry.back() == ']')
      entry = entry.substr(1, entry.size() - 2);
    if (!entry.empty() && (name == entry || name.ends_with('.' + entry))) return true;
  }
  return false;
}

void CheckManualProxy(const ProxySettings& settings) {
  const std::optional<ProxyAddress> address =
      ParseProxyAddress(Trim(std::string_view(settings.url)));
  if (!address || !address->user.empty() || !address->password.empty())
    throw Error(
        u"プロキシのアドレスは http://ホスト名:ポート番号 の形で入力してください。"
        u"ユーザ名とパスワードはそれぞれの欄に入力します");
}

std::optional<ProxyRoute> ChooseProxy(const ProxySettings& settings, std::string_view host,
                                      const EnvironmentLookup& environment) {
  if (settings.mode == ProxySettings::kDirect) return std::nullopt;
  if (settings.mode == ProxySettings::kManual) {
    if (NoProxyNames(settings.noProxy, host)) return std::nullopt;
    try {
      CheckManualProxy(settings);
    } catch (const Error& e) {
      throw Error(e.Message() + u" (" + kOptionPlace + u")");
    }
    ProxyRoute route = RouteOf(*ParseProxyAddress(Trim(std::string_view(settings.url))));
    route.user = SjisToUtf8(settings.user);
    route.password = SjisToUtf8(settings.password);
    return route;
  }
  const auto [variable, value] = Variable(environment, "https_proxy", "HTTPS_PROXY");
  if (value.empty() || NoProxyNames(Variable(environment, "no_proxy", "NO_PROXY").second, host))
    return std::nullopt;
  const std::optional<ProxyAddress> address = ParseProxyAddress(Trim(std::string_view(value)));
  if (!address)
    throw Error(u"環境変数 " + Utf8ToWide(variable) +
                u" のプロキシのアドレスを読めません。http://ホスト名:ポート番号 の形にするか、" +
                kOptionPlace + u"で指定してください");
  ProxyRoute route = RouteOf(*address);
  route.user = address->user;
  route.password = address->password;
  route.variable = variable;
  return route;
}

WideString ProxyAdvice(const ProxyRoute& route) {
  if (route.variable.empty()) return WideString(kOptionPlace) + u"で確かめてください";
  return u"環境変数 " + Utf8ToWide(route.variable) + u" を確かめるか、" + kOptionPlace +
         u"で指定してください";
}

}  // namespace orvane
