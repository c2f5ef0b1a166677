#include "app/AccountSecurity.h"

#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

TSecurity SecurityOf(const AnsiString& text) {
  int value = StrToInt(text);
  if (value < scNone || value > scTls)
    throw ConvertError(
        FormatMessage(u"暗号化の設定 '%s' は 0、1、2 のどれでもありません", SjisToWide(text)));
  return static_cast<TSecurity>(value);
}

}  // namespace

TAccountSecurity ReadAccountSecurity(const IniFileUnit& settings, const AnsiString& account) {
  TAccountSecurity security;
  ProfileText file = settings.AccountFile(account).Load();
  auto value = [&](const AccountText& key) {
    return file.Find(keys::kAccountSection, key.key).value_or(key.defaultValue);
  };
  security.Smtp = SecurityOf(value(keys::kSecurity));
  security.Pop = SecurityOf(value(keys::kPopSecurity));
  security.TlsFingerprint = value(keys::kTlsFingerprint);
  if (file.Find(keys::kAccountSection, keys::kSecurity.key))
    security.PlainAuth = value(keys::kAllowPlainAuth) == "-1" ? paAllow : paRefuse;
  return security;
}

void ApplyAccountSecurity(const TAccountSecurity& account, TSecurity security,
                          TTCPComponent& client) {
  client.SetSecurity(security);
  client.SetTlsFingerprint(account.TlsFingerprint);
  client.SetPlainAuth(account.PlainAuth);
}

}  // namespace orvane
