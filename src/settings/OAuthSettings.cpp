#include "settings/OAuthSettings.h"

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

constexpr OAuthPreset kPresets[] = {
    {"microsoft365", u"Microsoft 365", "smtp.office365.com", scStartTls,
     "https://login.microsoftonline.com/{tenant}/oauth2/v2.0/authorize",
     "https://login.microsoftonline.com/{tenant}/oauth2/v2.0/token",
     "https://outlook.office.com/SMTP.Send offline_access", "", "organizations",
     u"クライアントIDは、組織の管理者が Microsoft Entra 管理センターの「アプリの登録」で"
     u"このプログラムを登録すると発行されます。管理者に問い合わせてください。"},
    // Google hands out a refresh token only when asked for offline access,
    // and again on a later sign-in only with the consent screen.
    {"gmail", u"Gmail", "smtp.gmail.com", scTls, "https://accounts.google.com/o/oauth2/v2/auth",
     "https://oauth2.googleapis.com/token", "https://mail.google.com/",
     "access_type=offline&prompt=consent", nullptr,
     u"クライアントIDとクライアントシークレットは、組織の管理者が Google Cloud コンソールの"
     u"「認証情報」でデスクトップ アプリとして作成します。管理者に問い合わせてください。"},
};

// A tenant is a domain name or an ID: it goes into a URL's path as it is.
bool IsTenantName(std::string_view tenant) {
  for (char c : tenant)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
          c == '-'))
      return false;
  return !tenant.empty();
}

AnsiString WithTenant(std::string_view url, const AnsiString& tenant) {
  AnsiString result(url);
  if (auto at = result.find("{tenant}"); at != AnsiString::npos) result.replace(at, 8, tenant);
  return result;
}

}  // namespace

std::span<const OAuthPreset> OAuthPresets() {
  return kPresets;
}

const OAuthPreset* FindOAuthPreset(std::string_view name) {
  for (const OAuthPreset& preset : kPresets)
    if (SameAsciiText(name, preset.name)) return &preset;
  return nullptr;
}

OAuthSettings ReadOAuthSettings(const IniFileUnit& settings, const AnsiString& account) {
  auto read = [&](const AccountText& key) { return settings.Read(account, key); };
  return {read(keys::kOAuthProvider),     read(keys::kOAuthClientId),
          read(keys::kOAuthClientSecret), read(keys::kOAuthTenant),
          read(keys::kOAuthAuthorizeUrl), read(keys::kOAuthTokenUrl),
          read(keys::kOAuthScope)};
}

OAuthClient ResolveOAuthClient(const OAuthSettings& settings, const ProxySettings& proxy) {
  OAuthClient client;
  client.proxy = proxy;
  client.clientId = AnsiString(Trim(settings.clientId));
  client.clientSecret = AnsiString(Trim(settings.clientSecret));
  if (client.clientId.empty())
    throw Error(u"クライアントIDが設定されていません。アカウントの設定で入力してください");
  if (SameAsciiText(settings.provider, kCustomOAuthProvider)) {
    client.authorizeUrl = AnsiString(Trim(settings.authorizeUrl));
    client.tokenUrl = AnsiString(Trim(settings.tokenUrl));
    client.scope = AnsiString(Trim(settings.scope));
    if (client.authorizeUrl.empty() || client.tokenUrl.empty())
      throw Error(u"認可URLとトークンURLを設定してください");
    return client;
  }
  const OAuthPreset* preset = FindOAuthPreset(settings.provider);
  if (!preset)
    throw Error(FormatMessage(u"OAuth のプロバイダ「%s」には対応していません",
                              SjisToWide(settings.provider)));
  AnsiString tenant(Trim(settings.tenant));
  if (tenant.empty() && preset->defaultTenant) tenant = preset->defaultTenant;
  if (preset->defaultTenant && !IsTenantName(tenant))
    throw Error(u"テナントには英数字と「.」「-」だけが使えます");
  client.authorizeUrl = WithTenant(preset->authorizeUrl, tenant);
  client.tokenUrl = WithTenant(preset->tokenUrl, tenant);
  client.scope = preset->scope;
  client.authorizeExtras = preset->authorizeExtras;
  return client;
}

bool UsesOAuth(const IniFileUnit& settings, const AnsiString& account) {
  return Trim(std::string_view(settings.Read(account, keys::kAuthMethod))) == "1";
}

AnsiString OAuthUserName(const AnsiString& userId, const AnsiString& address) {
  std::string_view user = Trim(std::string_view(userId));
  return AnsiString(user.empty() ? Trim(std::string_view(address)) : user);
}

OAuthClient AccountOAuthClient(const IniFileUnit& settings, const AnsiString& account) {
  return ResolveOAuthClient(ReadOAuthSettings(settings, account), ReadProxySettings(settings));
}

AnsiString OAuthUserName(const IniFileUnit& settings, const AnsiString& account) {
  return OAuthUserName(settings.Read(account, keys::kUserId),
                       settings.Read(account, keys::kAddress));
}

}  // namespace orvane
