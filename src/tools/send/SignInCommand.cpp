#include "tools/send/SignInCommand.h"

#include <optional>

#include "oauth/SignIn.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/OAuthSettings.h"
#include "settings/SecretPlaces.h"
#include "tools/send/BrowserShell.h"

namespace orvane {

Ending SignInAccount(const IniFileUnit& settings, const AnsiString& account) {
  if (!UsesOAuth(settings, account))
    return {EX_CONFIG, u"このアカウントは OAuth 2.0 でサインインしません: " + SjisToWide(account),
            "this account does not sign in with OAuth 2.0"};
  OAuthClient client;
  try {
    client = AccountOAuthClient(settings, account);
  } catch (const Error& e) {
    return {EX_CONFIG, e.Message(), "the account's OAuth 2.0 settings are incomplete"};
  }
  const AnsiString user = OAuthUserName(settings, account);
  if (user.empty())
    return {EX_CONFIG, u"アカウントにユーザIDか送信アドレスを設定してください",
            "the account has neither a user ID nor an address"};

  QueuedMainThread main;
  BrowserShell browser;
  std::optional<SignInOutcome> outcome;
  {
    TOAuthSignIn signIn(browser, main);
    signIn.Start(client, user, [&](const SignInOutcome& o) { outcome = o; });
    main.PumpUntil([&] { return outcome.has_value(); }, std::chrono::minutes(3));
  }
  if (!outcome || outcome->kind == SignInOutcome::kTimedOut)
    return {EX_TEMPFAIL, u"ブラウザでのサインインが時間内に終わらなかったため、中止しました",
            "the sign-in in the browser did not end in time"};
  if (outcome->kind == SignInOutcome::kFailed)
    return {EX_NOPERM, u"サインインできませんでした: " + outcome->reason, "the sign-in failed"};
  try {
    WriteSecret(settings, {SecretKind::kOAuthRefreshToken, account}, outcome->refreshToken);
  } catch (const Error& e) {
    return {EX_CONFIG, e.Message(), "the refresh token could not be stored"};
  }
  return {EX_OK, u"サインインしました: " + SjisToWide(account), "signed in"};
}

}  // namespace orvane
