#include "oauth/Pkce.h"

#include "mime/TransferEncoding.h"
#include "platform/SecureRandom.h"
#include "transport/Sha256.h"

namespace orvane {

PkcePair MakePkcePair() {
  PkcePair pair;
  pair.verifier = Base64UrlEncode(SecureRandomBytes(32));
  pair.challenge = PkceChallenge(pair.verifier);
  return pair;
}

AnsiString PkceChallenge(std::string_view verifier) {
  return Base64UrlEncode(Sha256(verifier));
}

AnsiString MakeState() {
  return Base64UrlEncode(SecureRandomBytes(16));
}

}  // namespace orvane
