#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/Types.h"
#include "settings/ProxySettings.h"

namespace orvane {

// An HTTP proxy's address: "[http://][user[:password]@]host:port[/]".
struct ProxyAddress {
  AnsiString host;  // an IPv6 address in brackets
  int port = 0;
  AnsiString user;  // percent-decoded
  AnsiString password;
  bool operator==(const ProxyAddress&) const = default;
};

// nullopt for another scheme, a missing port, a path, query or fragment,
// and any blank or control character.
std::optional<ProxyAddress> ParseProxyAddress(std::string_view text);

// Whether a no_proxy list names `host`: "*", the host itself, or a domain
// it lies in ("example.com" and ".example.com" both take
// "login.example.com"). Entries are separated by commas or blanks; names
// are compared without case.
bool NoProxyNames(std::string_view list, std::string_view host);

// The way to one host through a proxy.
struct ProxyRoute {
  AnsiString url;   // "http://host:port", without credentials
  AnsiString name;  // "host:port": what the user is told, never with the password
  AnsiString user;  // Basic authentication, UTF-8; none when empty
  AnsiString password;
  // The environment variable that named the proxy; empty for the settings.
  AnsiString variable;
  bool operator==(const ProxyRoute&) const = default;
};

// Refuses, in the user's words, the address of a manual proxy that is not
// http://host:port, or that holds credentials, which belong in their own
// fields and not in the general settings file.
void CheckManualProxy(const ProxySettings& settings);

// The environment variable of a name; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The proxy a request to `host` goes through; nullopt to connect directly.
// Mode 1 reads https_proxy (else HTTPS_PROXY) and no_proxy (else
// NO_PROXY). Throws Error, saying where to mend it, for a proxy address
// that is no http://host:port, without echoing a password it holds.
std::optional<ProxyRoute> ChooseProxy(const ProxySettings& settings, std::string_view host,
                                      const EnvironmentLookup& environment);

// Where the user mends the proxy of `route`, to end a message about it.
WideString ProxyAdvice(const ProxyRoute& route);

}  // namespace orvane
