#pragma once

#include <string_view>

#include "platform/Types.h"
#include "transport/LineTransport.h"
#include "transport/MessageSource.h"

namespace orvane {

// The wire form of a message body (see BodyEncoder) whose beginning is held
// and whose rest, if any, is read from a source as the wire form is asked
// for. The bytes are the same as those of the whole body at once: what the
// trimming of the end could remove is held back until more follows.
class StreamedBody {
 public:
  // `first` must outlive the body; `rest` may be null.
  StreamedBody(std::string_view first, MessageSource* rest, BodyEnd end);
  // Appends the next bytes of the wire form to `out` until it holds at
  // least `size` bytes or the wire form is complete. Throws what the
  // source throws.
  void Fill(AnsiString& out, std::size_t size);
  bool AtEnd() const { return encoder_.AtEnd(); }

 private:
  void FeedNext();

  std::string_view first_;
  MessageSource* rest_;
  bool firstFed_ = false;
  // The held-back end of what came before, then the bytes read after it;
  // the encoder reads the first `fed_` of the `filled_` bytes.
  AnsiString buffer_;
  std::size_t filled_ = 0;
  std::size_t fed_ = 0;
  BodyEncoder encoder_;
};

}  // namespace orvane
