#include "settings/ProxySettings.h"

namespace orvane {

ProxySettings ReadProxySettings(const IniFileUnit& settings) {
  ProxySettings proxy;
  const int mode = settings.Read(keys::kProxyMode);
  if (mode >= ProxySettings::kDirect && mode <= ProxySettings::kManual)
    proxy.mode = static_cast<ProxySettings::Mode>(mode);
  proxy.url = settings.Read(keys::kProxyUrl);
  proxy.user = settings.Read(keys::kProxyUser);
  proxy.password = settings.Read(keys::kProxyPass);
  proxy.noProxy = settings.Read(keys::kProxyNoProxy);
  return proxy;
}

}  // namespace orvane
