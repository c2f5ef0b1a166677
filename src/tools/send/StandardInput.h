#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "tools/send/Ending.h"
#include "transport/MessageSource.h"

namespace orvane {

// The largest message taken from standard input. Beyond it the input is
// refused rather than sent: no server takes such a message anyway.
inline constexpr std::size_t kMaxInputBytes = 128u << 20;

// Standard input, to its end or, with dotEndsInput, to a line of a single
// "." (sendmail's rule without -i). Read ahead on the main thread; what
// follows may be read by the delivery as the message goes out. Every read
// throws EndingError (65) when the input cannot be read or grows beyond
// kMaxInputBytes; a file larger than that is refused before it is read.
class StandardInput final : public MessageSource {
 public:
  explicit StandardInput(bool dotEndsInput, int fd = 0);

  // Reads the first mebibyte, or less when the input ends before.
  void ReadStart();
  // What ReadStart read.
  std::string_view Start() const;
  // Reads on to the end.
  void ReadAll();
  // Reads the rest, up to the limit, and lets it go: a writer's last write
  // then does not fail on a closed pipe when the message was not sent.
  void Drain();
  // Whether the input has been read to its end.
  bool Ended() const { return ended_; }
  // What was read, joined; nothing is held after. Throws EndingError (65)
  // when that is nothing.
  AnsiString TakeHeld();

  // The input beyond what was held, for the delivery; a failure is kept
  // for Failure as well as thrown. `room` is at least three bytes, so that
  // a held-back "." can always be decided.
  std::size_t Read(char* into, std::size_t room) override;
  const std::optional<EndingError>& Failure() const { return failure_; }

 private:
  void ReadChunks(std::size_t count);
  std::size_t ReadSome(char* into, std::size_t room);
  std::size_t EndAtDotLine(char* text, std::size_t size, bool atEnd);

  const bool dotEndsInput_;
  const int fd_;
  std::vector<AnsiString> held_;
  std::size_t total_ = 0;
  bool ended_ = false;
  bool lineStart_ = true;
  AnsiString undecided_;  // "." or ".\r" at the end of a read: a dot line or not
  std::optional<EndingError> failure_;
};

// Reads standard input whole (see StandardInput).
AnsiString ReadStandardInput(bool dotEndsInput);

}  // namespace orvane
