#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Gathers one server reply from the pieces a connection reads, as they
// come. The reply is complete once `complete` says so of everything
// gathered; it is too long beyond kMaxReplyBytes bytes or kMaxReplyLines
// lines (see LineTransport.h).
class TReplyReader {
 public:
  enum Status { kMore, kComplete, kTooLong };

  explicit TReplyReader(std::function<bool(std::string_view received)> complete);

  Status Add(std::string_view piece);
  // What was gathered, taken out.
  AnsiString Take() { return std::move(received_); }

 private:
  std::function<bool(std::string_view)> complete_;
  AnsiString received_;
  std::size_t lines_ = 0;
};

// A reply of one line (POP3, RFC 1939 section 3): complete with CR LF.
bool LineReplyComplete(std::string_view received);

// An SMTP reply (RFC 5321 section 4.2.1): complete with its last line, the
// line whose code is not followed by "-".
bool SmtpReplyComplete(std::string_view received);

}  // namespace orvane
