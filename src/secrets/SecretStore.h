#pragma once

#include "platform/Error.h"
#include "platform/Types.h"

namespace orvane {

// What a secret is for. The names are those of the keyring items' "kind"
// attribute.
enum class SecretKind {
  kPassword,           // an account's Pass: SMTP authentication and the POP3 login
  kOAuthRefreshToken,  // an account's OAuthRefreshToken
  kProxyPassword,      // the proxy's Pass, which belongs to no account
};

// One secret: its kind and, but for the proxy's, the account it belongs to
// (Shift_JIS, as the account's file name).
struct SecretName {
  SecretKind kind;
  AnsiString account;
};

const char* KindAttribute(SecretKind kind);
// What a person sees: "アカウント taro のパスワード", "プロキシのパスワード".
WideString DescribeSecret(const SecretName& name);

// A store could not be asked. The message names the secret and says what
// to do; it never holds the secret.
class SecretError : public Error {
 public:
  using Error::Error;
};

// Where secrets live. Secrets are Shift_JIS texts, as the settings store
// holds them.
class SecretStore {
 public:
  virtual ~SecretStore() = default;
  // The secret; empty when none is stored. Throws SecretError when the
  // store cannot be asked.
  virtual AnsiString Read(const SecretName& name) const = 0;
  // Throws SecretError, or FileError for a file, and then stores nothing.
  virtual void Write(const SecretName& name, const AnsiString& secret) const = 0;
  // Removes the secret; a secret not stored is no error.
  virtual void Erase(const SecretName& name) const = 0;
};

// Clears a buffer that held a secret, so that it does not linger in memory
// that is freed or dumped.
void ClearSecret(std::string& buffer);

}  // namespace orvane
