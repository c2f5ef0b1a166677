#pragma once

#include <memory>

#include "platform/Types.h"
#include "secrets/SecretStore.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Where an account's Pass and OAuthRefreshToken live, and the proxy's
// password: the values of SecretStore.
enum class SecretPlace {
  kFile = 0,     // the settings file, as always
  kKeyring = 1,  // the desktop keyring
  kCommand = 2,  // Pass from PassCommand; a refresh token stays in the file
};

// The text SecretStore holds for a place, and back; other text throws
// ConvertError naming the choices.
AnsiString SecretPlaceText(SecretPlace place);
SecretPlace SecretPlaceFromText(const AnsiString& text);

// Where the settings say the secret lives, the command's exception
// applied: only a password comes from a command.
SecretPlace PlaceOf(const IniFileUnit& settings, const SecretName& name);

// The store of a place; `command` for kCommand, as stored (Shift_JIS). The
// keyring asks the person at the screen to unlock it where the process
// allows it (KeyringPromptsAllowed).
std::unique_ptr<SecretStore> StoreAt(const IniFileUnit& settings, SecretPlace place,
                                     const AnsiString& command = {});

// The secret from where the settings say it lives; throws SecretError (or
// ConvertError for a SecretStore that is no choice) and never holds the
// secret in its message.
AnsiString ReadSecret(const IniFileUnit& settings, const SecretName& name);
// Writes the secret back where it came from (a rotated refresh token);
// an empty secret removes a keyring item.
void WriteSecret(const IniFileUnit& settings, const SecretName& name, const AnsiString& secret);

// Removes every keyring item of the account; an account that keeps its
// secrets elsewhere is left alone. Throws SecretError.
void EraseAccountSecrets(const IniFileUnit& settings, const AnsiString& account);
// The keyring items of an account renamed `from` (whose file is now `to`)
// follow it. Throws SecretError.
void RenameAccountSecrets(const IniFileUnit& settings, const AnsiString& from,
                          const AnsiString& to);

// The keys that hold secrets in the settings files.
class FileSecretStore : public SecretStore {
 public:
  explicit FileSecretStore(IniFileUnit settings) : settings_(std::move(settings)) {}

  AnsiString Read(const SecretName& name) const override;
  void Write(const SecretName& name, const AnsiString& secret) const override;
  void Erase(const SecretName& name) const override;

 private:
  IniFileUnit settings_;
};

}  // namespace orvane
