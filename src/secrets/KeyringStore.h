#pragma once

#include "secrets/SecretStore.h"

namespace orvane {

// The desktop keyring, through the freedesktop Secret Service on the
// session bus (GNOME Keyring, KWallet). Items carry the attributes
// application=orvane, kind=password|oauth-refresh-token|proxy-password and,
// for an account's secrets, account=NAME (UTF-8), with a label a person
// understands ("Orvane: taro のパスワード"); new items go to the default
// collection. Secrets are stored as UTF-8 text.
//
// Where nobody can answer (orvane-send, a cron job) a locked keyring is not
// unlocked: reading then fails, as it does without a session bus or a
// Secret Service, with a SecretError that names the secret and says to use
// PassCommand or the settings file for unattended sends.
class KeyringStore : public SecretStore {
 public:
  // `mayAsk`: whether the Secret Service may ask the person at the screen
  // to unlock the keyring.
  explicit KeyringStore(bool mayAsk) : mayAsk_(mayAsk) {}

  AnsiString Read(const SecretName& name) const override;
  void Write(const SecretName& name, const AnsiString& secret) const override;
  void Erase(const SecretName& name) const override;

  // Erases every item of the account.
  void EraseAccount(const AnsiString& account) const;

 private:
  bool mayAsk_;
};

// Whether this process has someone at the screen who can unlock the
// keyring: the window says so once at start-up; a program without a window
// never asks. Process-wide, as the session bus is.
void AllowKeyringPrompts(bool allow);
bool KeyringPromptsAllowed();

}  // namespace orvane
