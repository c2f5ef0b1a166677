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

void ApplyAccountSecurity(const TAccountSecurity& security, TZelSmtp& smtp, TZelPop3& pop) {
  smtp.SetSecurity(security.Smtp);
  pop.SetSecurity(security.Pop);
  for (TTCPComponent* client :
       {static_cast<TTCPComponent*>(&smtp), static_cast<TTCPComponent*>(&pop)}) {
    client->SetTlsFingerprint(security.TlsFingerprint);
    client->SetPlainAuth(security.PlainAuth);
  }
}

}  // namespace orvane
