#include "transport/PlainAuth.h"

namespace orvane {

TPlainAuthVerdict DecidePlainAuth(TPlainAuthPolicy policy, bool encrypted, bool loopback) {
  if (encrypted || policy == paAllow) return TPlainAuthVerdict::kSend;
  if (policy == paLegacy) return TPlainAuthVerdict::kSendAndWarn;
  return loopback ? TPlainAuthVerdict::kSend : TPlainAuthVerdict::kRefuse;
}

}  // namespace orvane
