#include "settings/AccountUnit.h"

#include <algorithm>
#include <optional>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Fingerprint.h"

namespace orvane {
namespace {

// Whether the POP3 login before sending would go without encryption. A
// value its own dialog refuses to show counts as yes here, so that this
// dialog still opens and keeps the check box within reach.
bool PopLoginInPlainText(const AccountValues& values) {
  try {
    return values.Bool(keys::kPopBeforeSmtp) &&
           SecurityFromText(values.Text(keys::kPopSecurity)) == scNone;
  } catch (const ConvertError&) {
    return true;
  }
}

SecretName PasswordOf(const AnsiString& account) {
  return {SecretKind::kPassword, account};
}

SecretName TokenOf(const AnsiString& account) {
  return {SecretKind::kOAuthRefreshToken, account};
}

// A command gives only the password: the token stays in the file.
SecretPlace TokenPlace(SecretPlace place) {
  return place == SecretPlace::kCommand ? SecretPlace::kFile : place;
}

// The fingerprint to store: empty, or as the log shows it.
std::optional<AnsiString> FingerprintToStore(const WideString& typed) {
  const AnsiString text(Trim(WideToSjis(typed)));
  if (text.empty()) return text;
  return NormalizeFingerprint(text);
}

}  // namespace

const char16_t* TAccountForm::StandardPort(TSecurity security) {
  switch (security) {
    case scStartTls:
      return u"587";
    case scTls:
      return u"465";
    case scNone:
      break;
  }
  return u"25";
}

TAccountForm::TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName,
                           AccountSignIn* signIn)
    : settings_(std::move(settings)),
      prompt_(prompt),
      accountName_(std::move(accountName)),
      signIn_(signIn) {}

TAccountForm::~TAccountForm() {
  if (signingIn_) signIn_->Cancel();
}

void TAccountForm::Show() {
  const AccountValues values(settings_, accountName_);
  AccountFields fields;
  fields.name = values.Wide(keys::kName);
  fields.address = values.Wide(keys::kAddress);
  fields.smtp = values.Wide(keys::kSmtp);
  fields.port = values.Wide(keys::kSmtpPort);
  fields.userId = values.Wide(keys::kUserId);
  const SecretPlace place = SecretPlaceFromText(values.Text(keys::kSecretStore));
  if (place != SecretPlace::kCommand)
    fields.password = SjisToWide(StoreAt(settings_, place)->Read(PasswordOf(accountName_)));
  fields.auth = values.Bool(keys::kAuth);
  fields.security = SecurityFromText(values.Text(keys::kSecurity));
  fields.allowPlainAuth = PlainAuthAllowedFromText(values.Text(keys::kAllowPlainAuth));
  fields.tlsFingerprint = values.Wide(keys::kTlsFingerprint);
  // The keys Save writes: none of them stored means a new account.
  if (values.HasNone(Writes({}))) {
    fields.security = scStartTls;
    fields.port = StandardPort(scStartTls);
  }
  popLoginInPlainText_ = PopLoginInPlainText(values);
  Fields = std::move(fields);

  const OAuthSettings stored = ReadOAuthSettings(settings_, accountName_);
  storedOAuth_ = UsesOAuth(settings_, accountName_);
  OAuth = {storedOAuth_,
           stored.provider,
           SjisToWide(stored.clientId),
           SjisToWide(stored.clientSecret),
           SjisToWide(stored.tenant),
           SjisToWide(stored.authorizeUrl),
           SjisToWide(stored.tokenUrl),
           SjisToWide(stored.scope)};
  Secrets = {place, values.Wide(keys::kPassCommand)};
  storedPlace_ = place;
  refreshToken_ = StoreAt(settings_, TokenPlace(storedPlace_))->Read(TokenOf(accountName_));
  signedInWith_ = stored;
  signedInUser_.clear();
}

void TAccountForm::SecurityChosen(TSecurity security) {
  if (Fields.port == StandardPort(Fields.security)) Fields.port = StandardPort(security);
  Fields.security = security;
}

bool TAccountForm::AllowPlainAuthEnabled() const {
  // A token never goes in plain text, so OAuth 2.0 asks nothing here.
  return (Fields.auth && !OAuth.oauth && Fields.security == scNone) || popLoginInPlainText_;
}

void TAccountForm::PopBeforeSaved(const PopBeforeFields& saved) {
  popLoginInPlainText_ = saved.popBeforeSmtp && saved.security == scNone;
}

void TAccountForm::ShowPasswordClicked() const {
  prompt_.Inform(Fields.password);
}

bool TAccountForm::Save() const {
  if (OAuthNeedsEncryption()) {
    prompt_.ShowError(kOAuthWithoutEncryption);
    return false;
  }
  const std::optional<AnsiString> fingerprint = FingerprintToStore(Fields.tlsFingerprint);
  if (!fingerprint) {
    prompt_.ShowError(kBadFingerprint);
    return false;
  }
  const std::optional<AnsiString> token = TokenAfterSave();
  // Into the keyring first: when it refuses, the file still says where
  // the secrets are.
  KeepInKeyring(token);
  AccountWrites writes = Writes(*fingerprint);
  std::vector<AccountText> erased;
  PlaceSecretKeys(writes, erased);
  const AccountWrites oauth = OAuthWrites();
  writes.insert(writes.end(), oauth.begin(), oauth.end());
  if (TokenPlace(Secrets.place) != SecretPlace::kFile)
    erased.push_back(keys::kOAuthRefreshToken);
  else if (token)
    writes.emplace_back(keys::kOAuthRefreshToken, *token);
  settings_.Write(accountName_, writes, erased);
  EraseLeftInKeyring();
  return true;
}

std::optional<AnsiString> TAccountForm::TokenAfterSave() const {
  if (std::optional<AnsiString> token = TokenToStore()) return token;
  const SecretPlace from = TokenPlace(storedPlace_);
  if (TokenPlace(Secrets.place) == from) return std::nullopt;
  // The token a delivery may have replaced since the dialog opened moves
  // as it is now.
  return StoreAt(settings_, from)->Read(TokenOf(accountName_));
}

void TAccountForm::KeepInKeyring(const std::optional<AnsiString>& token) const {
  if (Secrets.place != SecretPlace::kKeyring) return;
  const auto keyring = StoreAt(settings_, SecretPlace::kKeyring);
  const auto keep = [&](const SecretName& name, const AnsiString& secret) {
    if (secret.empty())
      keyring->Erase(name);
    else
      keyring->Write(name, secret);
  };
  keep(PasswordOf(accountName_), WideToSjis(Fields.password));
  if (token) keep(TokenOf(accountName_), *token);
}

void TAccountForm::PlaceSecretKeys(AccountWrites& writes, std::vector<AccountText>& erased) const {
  // The password where it has always stood; the default place leaves no key.
  const auto pass = std::find_if(writes.begin(), writes.end(), [](const auto& write) {
    return std::string_view(write.first.key) == keys::kPass.key;
  });
  if (Secrets.place == SecretPlace::kFile) {
    pass->second = WideToSjis(Fields.password);
    erased.push_back(keys::kSecretStore);
  } else {
    writes.erase(pass);
    erased.push_back(keys::kPass);
    writes.emplace_back(keys::kSecretStore, SecretPlaceText(Secrets.place));
  }
  const AnsiString command = WideToSjis(Secrets.command);
  if (command.empty())
    erased.push_back(keys::kPassCommand);
  else
    writes.emplace_back(keys::kPassCommand, command);
}

// What stays in the keyring after a move out would be a copy nobody reads.
// The file already says where the secrets are, so a failure is only told.
void TAccountForm::EraseLeftInKeyring() const {
  if (storedPlace_ != SecretPlace::kKeyring || Secrets.place == SecretPlace::kKeyring) return;
  try {
    const auto keyring = StoreAt(settings_, SecretPlace::kKeyring);
    keyring->Erase(PasswordOf(accountName_));
    keyring->Erase(TokenOf(accountName_));
  } catch (const SecretError& e) {
    prompt_.ShowError(e.Message());
  }
}

AccountWrites TAccountForm::Writes(const AnsiString& fingerprint) const {
  return {{keys::kName, WideToSjis(Fields.name)},
          {keys::kAddress, WideToSjis(Fields.address)},
          {keys::kSmtp, WideToSjis(Fields.smtp)},
          {keys::kSmtpPort, WideToSjis(Fields.port)},
          {keys::kUserId, WideToSjis(Fields.userId)},
          {keys::kPass, {}},
          {keys::kAuth, AccountBoolText(Fields.auth)},
          {keys::kSecurity, SecurityText(Fields.security)},
          {keys::kAllowPlainAuth, AccountBoolText(Fields.allowPlainAuth)},
          {keys::kTlsFingerprint, fingerprint}};
}

OAuthSettings TAccountForm::StoredOAuth() const {
  return {OAuth.provider,           WideToSjis(OAuth.clientId),     WideToSjis(OAuth.clientSecret),
          WideToSjis(OAuth.tenant), WideToSjis(OAuth.authorizeUrl), WideToSjis(OAuth.tokenUrl),
          WideToSjis(OAuth.scope)};
}

// An account that never chose OAuth 2.0 keeps its file free of the keys.
AccountWrites TAccountForm::OAuthWrites() const {
  if (!OAuth.oauth) {
    if (!storedOAuth_ && refreshToken_.empty()) return {};
    return {{keys::kAuthMethod, "0"}};
  }
  const OAuthSettings oauth = StoredOAuth();
  AccountWrites writes = {{keys::kAuthMethod, "1"},
                          {keys::kOAuthProvider, oauth.provider},
                          {keys::kOAuthClientId, oauth.clientId},
                          {keys::kOAuthClientSecret, oauth.clientSecret},
                          {keys::kOAuthTenant, oauth.tenant},
                          {keys::kOAuthAuthorizeUrl, oauth.authorizeUrl},
                          {keys::kOAuthTokenUrl, oauth.tokenUrl},
                          {keys::kOAuthScope, oauth.scope}};
  return writes;
}

std::optional<AnsiString> TAccountForm::TokenToStore() const {
  if (!OAuth.oauth) {
    if (!storedOAuth_ && refreshToken_.empty()) return std::nullopt;
    return AnsiString();
  }
  // A token goes only to the provider that issued it. The one read at
  // opening stays as its store has it: a delivery may have replaced it since.
  if (StoredOAuth() != signedInWith_) return AnsiString();
  if (!signedInUser_.empty()) return refreshToken_;
  return std::nullopt;
}

void TAccountForm::ChooseOAuth(bool oauth) {
  OAuth.oauth = oauth;
  if (oauth) Fields.auth = true;
}

void TAccountForm::ChooseProvider(const AnsiString& provider) {
  OAuth.provider = provider;
  if (const OAuthPreset* preset = FindOAuthPreset(provider)) {
    Fields.smtp = Utf8ToWide(preset->smtpHost);
    Fields.port = StandardPort(preset->security);
    Fields.security = preset->security;
  }
}

bool TAccountForm::TenantEnabled() const {
  const OAuthPreset* preset = FindOAuthPreset(OAuth.provider);
  return preset && preset->defaultTenant;
}

bool TAccountForm::CustomEndpointsEnabled() const {
  return !FindOAuthPreset(OAuth.provider);
}

WideString TAccountForm::ClientIdNote() const {
  const OAuthPreset* preset = FindOAuthPreset(OAuth.provider);
  return preset ? preset->clientIdNote
                : u"クライアントID、認可URL、トークンURL、スコープは、メールサーバの管理者に"
                  u"問い合わせてください。";
}

void TAccountForm::SignInClicked() {
  if (!SignInAvailable() || signingIn_) return;
  const OAuthSettings with = StoredOAuth();
  OAuthClient client;
  try {
    client = ResolveOAuthClient(with, ReadProxySettings(settings_));
  } catch (const Error& e) {
    prompt_.ShowError(e.Message());
    return;
  }
  const AnsiString user = OAuthUserName(WideToSjis(Fields.userId), WideToSjis(Fields.address));
  if (user.empty()) {
    prompt_.ShowError(u"サインインするアカウントのユーザIDか送信アドレスを入力してください");
    return;
  }
  signingIn_ = true;
  signIn_->Start(client, user, [this, with, user](const SignInOutcome& outcome) {
    SignInEnded(outcome, with, user);
  });
}

void TAccountForm::CancelSignIn() {
  if (!signingIn_) return;
  signIn_->Cancel();
  signingIn_ = false;
  if (OnSignInEnded) OnSignInEnded();
}

void TAccountForm::SignInEnded(const SignInOutcome& outcome, const OAuthSettings& with,
                               const AnsiString& user) {
  signingIn_ = false;
  if (outcome.kind == SignInOutcome::kSignedIn) {
    refreshToken_ = outcome.refreshToken;
    signedInWith_ = with;
    signedInUser_ = SjisToWide(user);
  }
  if (OnSignInEnded) OnSignInEnded();
  if (outcome.kind == SignInOutcome::kTimedOut)
    prompt_.ShowError(
        u"ブラウザでのサインインが時間内に終わらなかったため、中止しました。"
        u"もう一度「サインイン...」を押してください");
  if (outcome.kind == SignInOutcome::kFailed)
    prompt_.ShowError(u"サインインできませんでした。\n" + outcome.reason);
}

WideString TAccountForm::SignInStatus() const {
  if (!signedInUser_.empty()) return u"サインインしました (" + signedInUser_ + u")";
  if (refreshToken_.empty() || StoredOAuth() != signedInWith_) return u"サインインしていません";
  return u"サインイン済みです";
}

}  // namespace orvane
