#include "app/AccountSecurity.h"

#include "settings/AccountValues.h"

namespace orvane {

TAccountSecurity ReadAccountSecurity(const IniFileUnit& settings, const AnsiString& account) {
  const AccountValues values(settings, account);
  TAccountSecurity security;
  security.Smtp = SecurityFromText(values.Text(keys::kSecurity));
  security.Pop = SecurityFromText(values.Text(keys::kPopSecurity));
  security.TlsFingerprint = values.Text(keys::kTlsFingerprint);
  if (values.Has(keys::kSecurity))
    security.PlainAuth =
        PlainAuthAllowedFromText(values.Text(keys::kAllowPlainAuth)) ? paAllow : paRefuse;
  return security;
}

void ApplyAccountSecurity(const TAccountSecurity& account, TSecurity security,
                          TTCPComponent& client) {
  client.SetSecurity(security);
  client.SetTlsFingerprint(account.TlsFingerprint);
  client.SetPlainAuth(account.PlainAuth);
}

}  // namespace orvane
