#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/Types.h"

namespace orvane {

// Reads take at most this many bytes; message bodies go out in chunks of it.
inline constexpr std::size_t kBufferSize = 1024;
// Over TLS a message body goes out in chunks of one full record each
// (RFC 8446 section 5.1): a record per kilobyte would cost both sides a
// record's work and a system call for every kilobyte.
inline constexpr std::size_t kTlsChunkSize = 16 * 1024;
// A reply larger than either limit ends the dialogue as a protocol failure.
inline constexpr std::size_t kMaxReplyBytes = 64 * 1024;
inline constexpr std::size_t kMaxReplyLines = 1000;

// The server broke the protocol: a reply beyond the limits above.
class ProtocolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The wait limit of each read: `timeout` when it is above 10000 ms, ten
// minutes otherwise.
std::chrono::milliseconds EffectiveTimeout(int timeout);

// Whether a reply carries `code` (case-insensitive): either the reply is
// just the code, or one of its lines, leading blanks skipped, begins with
// the code and a blank or is the bare code. A continuation line (code and
// "-") never matches.
bool ReplyHasCode(std::string_view reply, std::string_view code);

// What `received` holds beyond its first complete reply: the bytes after
// the first line that is not a continuation line (code and "-"). Empty
// when the reply ends the text, or is not complete yet.
std::string_view BeyondFirstReply(std::string_view received);

// Whether a command line may be written: CR, LF or NUL inside it would end
// the line early and let the rest pass as a command of its own.
bool IsSafeCommandLine(std::string_view line);

// How the end of a message body reaches the wire.
enum class BodyEnd {
  // A message of our own: a terminator already there is dropped, trailing
  // blanks and empty lines are removed.
  Trimmed,
  // A message another program wrote: every line as given, the last one
  // ended by a line break when it has none.
  AsGiven,
};

// Produces, piece by piece, the wire form of a message body for the DATA
// command (RFC 5321 section 4.5.2): every bare CR and bare LF made CR LF,
// the end as BodyEnd says, every line beginning with "." given another "."
// (the first line too), and the terminating line "." CR LF added. The body
// may come in parts (Feed); each part is a view that must outlive its
// encoding.
class BodyEncoder {
 public:
  explicit BodyEncoder(BodyEnd end = BodyEnd::Trimmed) : end_(end) {}
  // The whole body at once.
  explicit BodyEncoder(std::string_view data, BodyEnd end = BodyEnd::Trimmed) : end_(end) {
    Feed(data, true);
  }
  // Hands over the next part of the body, `last` when nothing follows it.
  // A part other than the last must not end where the trimming of the end
  // could reach: in a blank, a control character or a ".".
  void Feed(std::string_view part, bool last);
  // Appends the next bytes of the wire form to `out` until it holds at
  // least `size` bytes, the part is used up, or the wire form is complete.
  void Fill(AnsiString& out, std::size_t size);
  // Whether the part is used up and another must be fed.
  bool Hungry() const { return rest_.empty() && !last_; }
  bool AtEnd() const { return done_; }

 private:
  // The position of the next CR or LF in rest_, or npos.
  std::size_t NextBreak();

  BodyEnd end_;
  std::string_view rest_;
  const char* nextLf_ = nullptr;
  const char* nextCr_ = nullptr;  // or nextLf_ when no CR comes before it
  bool lineStart_ = true;
  bool last_ = false;
  bool hadText_ = false;  // a part before this one held bytes
  bool done_ = false;
};

}  // namespace orvane
