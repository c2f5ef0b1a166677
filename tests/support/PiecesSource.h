#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "transport/MessageSource.h"

namespace orvane::test {

// The rest of a message handed out a few bytes a read, as a slow pipe
// might hand it. Header-only: the fuzz targets use it too.
class PiecesSource final : public MessageSource {
 public:
  PiecesSource(std::string_view text, std::size_t step) : text_(text), step_(step) {}
  std::size_t Read(char* into, std::size_t room) override {
    const std::size_t n = std::min({room, step_, text_.size()});
    text_.copy(into, n);
    text_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view text_;
  std::size_t step_;
};

}  // namespace orvane::test
