#pragma once

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// How the sign-in reaches the token endpoint, as stored: section Proxy of
// the general file.
struct ProxySettings {
  enum Mode {
    kDirect = 0,
    kFromEnvironment = 1,  // https_proxy / HTTPS_PROXY, no_proxy / NO_PROXY
    kManual = 2,
  };
  Mode mode = kFromEnvironment;
  AnsiString url;  // "http://host:port"
  AnsiString user;
  AnsiString password;
  AnsiString noProxy;  // a comma list of hosts and domains
  bool operator==(const ProxySettings&) const = default;
};

// A Mode other than 0 to 2 is read as the default. The password is read,
// from where [Proxy] SecretStore says, only for a manual proxy with a user
// and `withPassword`; throws SecretError when it cannot be.
ProxySettings ReadProxySettings(const IniFileUnit& settings, bool withPassword = true);

}  // namespace orvane
