#include "checks/MailChackUnit.h"
#include "settings/OAuthSettings.h"
#include "settings/ProfileBlock.h"

namespace orvane {

bool UsesSmtpAuth(const IniFileUnit& settings, const AnsiString& account) {
  // The send window presents an OAuth 2.0 account's token whatever Auth says.
  return UsesOAuth(settings, account) || settings.ReadBool(account, keys::kAuth);
}

bool UsesPopBeforeSmtp(const IniFileUnit& settings, const AnsiString& account) {
  return settings.ReadBool(account, keys::kPopBeforeSmtp);
}

bool LacksSignature(const IniFileUnit& settings, const AnsiString& account) {
  return ReadProfileBlock(settings.AccountFile(account).Load(), keys::kSignatureSection).empty();
}

bool HasExtendedHeaders(const IniFileUnit& settings, const AnsiString& account) {
  return !ReadProfileBlock(settings.AccountFile(account).Load(), keys::kXHeaderSection).empty();
}

}  // namespace orvane
