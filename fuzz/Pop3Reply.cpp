// The POP3 reply reader over any bytes from a server, arriving in pieces of
// any size, and what the login then reads from the reply: whether it is
// positive, and the APOP timestamp of a greeting, when it holds one.
#include <cstddef>
#include <cstdint>

#include "ReplyPieces.h"
#include "transport/Pop3Thread.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const auto reply = ReadReplyInPieces(data, size, LineReplyComplete);
  if (!reply) return 0;
  ReplyHasCode(*reply, "+ok");
  // A timestamp is one of the greeting's, of the form <…@…>.
  if (const auto timestamp = ApopTimestamp(*reply);
      timestamp && (reply->find(*timestamp) == AnsiString::npos || !timestamp->starts_with('<') ||
                    !timestamp->ends_with('>') || timestamp->find('@') == AnsiString::npos))
    __builtin_trap();
  return 0;
}
