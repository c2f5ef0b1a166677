// The SMTP reply reader over any bytes from a server, arriving in pieces of
// any size, and what the dialogue then reads from the reply: its code, what
// follows the first reply, and the service extensions of an EHLO reply.
#include <cstddef>
#include <cstdint>

#include "ReplyPieces.h"
#include "transport/EhloList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const auto reply = ReadReplyInPieces(data, size, SmtpReplyComplete);
  if (!reply) return 0;
  for (const char* code : {"220", "235", "250", "334", "354"}) ReplyHasCode(*reply, code);
  // What lies beyond the first reply is the end of this one.
  const std::string_view beyond = BeyondFirstReply(*reply);
  if (!std::string_view(*reply).ends_with(beyond)) __builtin_trap();
  TEhloList extensions;
  extensions.Parse(*reply);
  extensions.Has("STARTTLS");
  for (const char* mechanism : {"CRAM-MD5", "LOGIN", "PLAIN", "XOAUTH2"})
    extensions.Has("AUTH", mechanism);
  return 0;
}
