#include "settings/ProxySettings.h"

#include "settings/SecretPlaces.h"

namespace orvane {

ProxySettings ReadProxySettings(const IniFileUnit& settings, bool withPassword) {
  ProxySettings proxy;
  const int mode = settings.Read(keys::kProxyMode);
  if (mode >= ProxySettings::kDirect && mode <= ProxySettings::kManual)
    proxy.mode = static_cast<ProxySettings::Mode>(mode);
  proxy.url = settings.Read(keys::kProxyUrl);
  proxy.user = settings.Read(keys::kProxyUser);
  proxy.noProxy = settings.Read(keys::kProxyNoProxy);
  // Asked for only where it is sent: a keyring or a command is not
  // bothered for a proxy that is not used.
  if (withPassword && proxy.mode == ProxySettings::kManual && !proxy.user.empty())
    proxy.password = ReadSecret(settings, {SecretKind::kProxyPassword, {}});
  return proxy;
}

}  // namespace orvane
