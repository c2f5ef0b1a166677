#include "oauth/HttpsUrl.h"

#include <charconv>

#include "platform/AsciiText.h"

namespace orvane {

std::optional<HttpsUrl> ParseHttpsUrl(std::string_view url) {
  constexpr std::string_view kScheme = "https://";
  if (!StartsWithAsciiText(url, kScheme)) return std::nullopt;
  for (char c : url)
    if (IsBlankOrControl(c) || c == '#') return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  const std::size_t pathStart = rest.find_first_of("/?");
  std::string_view authority = rest.substr(0, pathStart);
  HttpsUrl result;
  result.target = pathStart == std::string_view::npos ? "/" : AnsiString(rest.substr(pathStart));
  if (result.target.front() == '?') result.target.insert(result.target.begin(), '/');
  if (authority.find('@') != std::string_view::npos) return std::nullopt;

  // An IPv6 address stands in brackets, for its colons.
  std::string_view host = authority;
  std::string_view afterHost;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    afterHost = authority.substr(close + 1);
  } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    afterHost = authority.substr(colon);
  }
  if (host.empty() || host.find_first_of("[]") != std::string_view::npos) return std::nullopt;
  if (!afterHost.empty()) {
    if (!afterHost.starts_with(':')) return std::nullopt;
    std::string_view port = afterHost.substr(1);
    auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), result.port);
    if (error != std::errc() || end != port.data() + port.size() || result.port < 1 ||
        result.port > 65535)
      return std::nullopt;
  }
  result.host = AnsiString(host);
  return result;
}

}  // namespace orvane
