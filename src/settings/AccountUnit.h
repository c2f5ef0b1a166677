#pragma once

#include <functional>
#include <optional>

#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/AccountSignIn.h"
#include "settings/AccountValues.h"
#include "settings/IniFileUnit.h"
#include "settings/OAuthSettings.h"
#include "settings/PopBeforeUnit.h"
#include "settings/SecretPlaces.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// What the account dialog's controls hold.
struct AccountFields {
  WideString name;              // EDIT_Name, key Name
  WideString address;           // EDIT_Address, key Address
  WideString smtp;              // EDIT_SMTP, key SMTP
  WideString port;              // EDIT_PORT, key SMTPPORT
  bool auth = false;            // CB_Auth, key Auth
  WideString userId;            // EDIT_ID, key UserID
  WideString password;          // EDIT_PASS, key Pass
  TSecurity security = scNone;  // CMB_Security, key Security
  bool allowPlainAuth = false;  // CB_AllowPlainAuth, key AllowPlainAuth
  WideString tlsFingerprint;    // EDIT_Fingerprint, key TlsFingerprint
  bool operator==(const AccountFields&) const = default;
};

// Where the account dialog keeps the password and the sign-in.
struct AccountSecretFields {
  SecretPlace place = SecretPlace::kFile;  // CMB_SecretStore パスワードの保存先, key SecretStore
  WideString command;                      // EDIT_PassCommand, key PassCommand
  bool operator==(const AccountSecretFields&) const = default;
};

// What the account dialog's sign-in controls hold.
struct AccountOAuthFields {
  bool oauth = false;       // 認証方式 OAuth 2.0 rather than パスワード, key AuthMethod
  AnsiString provider;      // a preset's name or "custom", key OAuthProvider
  WideString clientId;      // key OAuthClientId
  WideString clientSecret;  // key OAuthClientSecret
  WideString tenant;        // key OAuthTenant
  WideString authorizeUrl;  // key OAuthAuthorizeUrl
  WideString tokenUrl;      // key OAuthTokenUrl
  WideString scope;         // key OAuthScope
  bool operator==(const AccountOAuthFields&) const = default;
};

// The account dialog's controller: the sender and the SMTP server of one
// account, read from its file when shown and written back on OK. The
// POP-before-SMTP dialog it opens saves on its own OK. The sign-in with
// OAuth 2.0 keeps what it earned until OK too.
//
// A new account (a file without any of the keys this dialog saves) starts
// with STARTTLS on 587. An older file without Security shows "なし" and its
// port as stored; saving it writes Security, and from then on a password
// goes in plain text to a server elsewhere only when AllowPlainAuth says so.
// A token never does: OAuth 2.0 is saved only with encryption.
class TAccountForm {
 public:
  static constexpr int kHelpTopic = 13;
  static constexpr char16_t kBadFingerprint[] =
      u"証明書のフィンガープリントが正しくありません。SHA-256 のフィンガープリントを "
      u"16 進数 64 桁で入力してください (例 AB:CD:…、コロンは省いてもかまいません)";
  static constexpr char16_t kOAuthWithoutEncryption[] =
      u"OAuth 2.0 でサインインするアカウントは暗号化が必要です。"
      u"「暗号化」で STARTTLS か SSL/TLS を選んでください";

  // The port of each choice: 25 in plain text, 587 for STARTTLS (message
  // submission, RFC 6409), 465 for TLS from the first byte (RFC 8314).
  static const char16_t* StandardPort(TSecurity security);

  // Without `signIn` the account can choose OAuth 2.0 but not sign in.
  TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName,
               AccountSignIn* signIn = nullptr);
  // Cancels a sign-in that is still running.
  ~TAccountForm();
  TAccountForm(const TAccountForm&) = delete;
  TAccountForm& operator=(const TAccountForm&) = delete;

  const AnsiString& AccountName() const { return accountName_; }

  // Fills the fields from the account's file and the password from where
  // it lives (a command is not run for it); throws ConvertError when Auth
  // holds no boolean or Security or SecretStore no choice, SecretError when
  // the keyring cannot be read.
  void Show();
  // Button1 "標準": enabled while the port is not the choice's standard one.
  bool DefaultPortEnabled() const { return Fields.port != StandardPort(Fields.security); }
  void DefaultPortClicked() { Fields.port = StandardPort(Fields.security); }
  // CMB_Security "暗号化(&E):": a port that was the standard one of the old
  // choice follows to the new one's; a port the user chose stays.
  void SecurityChosen(TSecurity security);
  // CB_AllowPlainAuth counts only where a password would go without
  // encryption: to an SMTP server that asks for one, or in the POP3 login
  // before sending.
  bool AllowPlainAuthEnabled() const;
  // The POP-before-SMTP dialog saved these: its login counts from now on.
  void PopBeforeSaved(const PopBeforeFields& saved);
  // Button2 "?": the password in plain text.
  void ShowPasswordClicked() const;
  // BTN_POP: the controller of the POP-before-SMTP dialog of this account.
  TPopBeforeForm PopBeforeForm() const { return TPopBeforeForm(settings_, accountName_); }
  // BTN_OK: writes every field in one write, the texts as typed and the
  // fingerprint in the form the log shows. OAuth 2.0 without encryption, or
  // a malformed fingerprint, is shown as an error and nothing is
  // written: returns false. A refresh token that the current provider
  // settings did not earn is dropped, and so is the token of an account
  // that goes back to its password; otherwise only a sign-in in this dialog
  // writes one. A changed パスワードの保存先 moves the password and the
  // token: into the keyring first, then the file's keys removed, then the
  // old keyring items; a command's password is not stored anywhere. Throws
  // FileError when the file cannot be written, SecretError when the
  // keyring cannot be; nothing has moved then.
  bool Save() const;
  // OK refuses OAuth 2.0 while 暗号化 is なし.
  bool OAuthNeedsEncryption() const { return OAuth.oauth && Fields.security == scNone; }

  // 認証方式: OAuth 2.0 always authenticates, so it ticks CB_Auth.
  void ChooseOAuth(bool oauth);
  // A preset fills the SMTP server, port and encryption the provider uses.
  void ChooseProvider(const AnsiString& provider);
  bool TenantEnabled() const;
  bool CustomEndpointsEnabled() const;
  // Where the organisation gets the client ID for the chosen provider.
  WideString ClientIdNote() const;

  // "サインイン...": checks the settings, then starts the sign-in in the
  // browser; what cannot start is shown as an error. OnSignInEnded tells
  // when it has ended, before any message about how.
  void SignInClicked();
  void CancelSignIn();
  bool SignInAvailable() const { return signIn_ != nullptr && OAuth.oauth; }
  bool SigningIn() const { return signingIn_; }
  // Whether the account holds a sign-in, and as whom after one here.
  WideString SignInStatus() const;
  std::function<void()> OnSignInEnded;

  AccountFields Fields;
  AccountOAuthFields OAuth;
  AccountSecretFields Secrets;

 private:
  AccountWrites Writes(const AnsiString& fingerprint) const;
  AccountWrites OAuthWrites() const;
  // The refresh token to store, "" to drop it, nullopt to leave it as is:
  // as the sign-in says, and then as a move of the secrets needs.
  std::optional<AnsiString> TokenToStore() const;
  std::optional<AnsiString> TokenAfterSave() const;
  // The steps of a move of the secrets, in this order.
  void KeepInKeyring(const std::optional<AnsiString>& token) const;
  void PlaceSecretKeys(AccountWrites& writes, std::vector<AccountText>& erased) const;
  void EraseLeftInKeyring() const;
  // The provider settings as OK would store them.
  OAuthSettings StoredOAuth() const;
  void SignInEnded(const SignInOutcome& outcome, const OAuthSettings& with, const AnsiString& user);

  IniFileUnit settings_;
  Prompt& prompt_;
  AnsiString accountName_;
  bool popLoginInPlainText_ = false;
  AccountSignIn* signIn_;
  bool signingIn_ = false;
  // The account used OAuth 2.0 when the dialog opened, with its secrets
  // where this says.
  bool storedOAuth_ = false;
  SecretPlace storedPlace_ = SecretPlace::kFile;
  // The refresh token and the provider settings that earned it.
  AnsiString refreshToken_;
  OAuthSettings signedInWith_;
  WideString signedInUser_;  // after a sign-in in this dialog
};

}  // namespace orvane
