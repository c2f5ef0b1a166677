// The POP3 reply reader over any bytes from a server, arriving in pieces of
// any size, and what the login then reads from the reply: whether it is
// positive, and the APOP timestamp of a greeting.
#include <cstddef>
#include <cstdint>

#include "ReplyPieces.h"
#include "transport/Pop3Thread.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const auto reply = ReadReplyInPieces(data, size, LineReplyComplete);
  if (!reply) return 0;
  ReplyHasCode(*reply, "+ok");
  // The timestamp is taken from the greeting, never made up.
  if (reply->find(ApopTimestamp(*reply)) == AnsiString::npos) __builtin_trap();
  return 0;
}
