#include "secrets/SecretStore.h"

#include <string.h>

#include "platform/CodePage.h"

namespace orvane {

const char* KindAttribute(SecretKind kind) {
  switch (kind) {
    case SecretKind::kOAuthRefreshToken:
      return "oauth-refresh-token";
    case SecretKind::kProxyPassword:
      return "proxy-password";
    case SecretKind::kPassword:
      break;
  }
  return "password";
}

WideString DescribeSecret(const SecretName& name) {
  switch (name.kind) {
    case SecretKind::kProxyPassword:
      return u"プロキシのパスワード";
    case SecretKind::kOAuthRefreshToken:
      return u"アカウント " + SjisToWide(name.account) + u" の OAuth リフレッシュトークン";
    case SecretKind::kPassword:
      break;
  }
  return u"アカウント " + SjisToWide(name.account) + u" のパスワード";
}

void ClearSecret(std::string& buffer) {
  // Not an assignment the compiler may drop as a dead store.
  explicit_bzero(buffer.data(), buffer.size());
  buffer.clear();
}

}  // namespace orvane
