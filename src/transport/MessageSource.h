#pragma once

#include <cstddef>

namespace orvane {

// The part of a message read while the message goes out: a body arriving
// through a pipe need not be held whole before the server is contacted.
// Read on the delivery's worker thread.
class MessageSource {
 public:
  virtual ~MessageSource() = default;
  // Reads up to `room` further bytes into `into`: how many, 0 only at the
  // end. Throws std::exception when the rest cannot be read; the message
  // is then left without its terminating line, so no server takes it.
  virtual std::size_t Read(char* into, std::size_t room) = 0;
};

}  // namespace orvane
