#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Where an HTTPS request goes: "https://host[:port][/path][?query]".
struct HttpsUrl {
  AnsiString host;  // a name or an IPv4 address; an IPv6 address without brackets
  int port = 443;
  AnsiString target;  // path and query as written, "/" when the URL has none
  bool operator==(const HttpsUrl&) const = default;
};

// The parts of an https URL (RFC 3986 section 3). nullopt for another
// scheme, user information ("user@"), a fragment, an empty host, a port
// that is not 1 to 65535, and any blank or control character: an endpoint
// that receives tokens is taken only as exactly what it says.
std::optional<HttpsUrl> ParseHttpsUrl(std::string_view url);

}  // namespace orvane
