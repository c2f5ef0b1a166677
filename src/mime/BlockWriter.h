#pragma once

#include <cstddef>
#include <iterator>
#include <string>

namespace orvane {

// Gathers output in a block on the stack and appends it to a string a
// block at a time: the hot loop writes through a plain pointer into memory
// already in the cache, and the string is never filled with zeros before
// it is written. Reserve, write through the cursor, Advance; Flush before
// the string is used.
template <class Char>
class TBlockWriter {
 public:
  static constexpr size_t kSize = 8192 / sizeof(Char);

  explicit TBlockWriter(std::basic_string<Char>& out) : out_(out) {}
  TBlockWriter(const TBlockWriter&) = delete;
  TBlockWriter& operator=(const TBlockWriter&) = delete;

  // The cursor, with room for at least `count` (at most kSize) characters.
  Char* Reserve(size_t count) {
    if (count > Free()) Flush();
    return end_;
  }
  // How many characters fit after the cursor.
  size_t Free() const { return static_cast<size_t>(std::end(block_) - end_); }
  // The cursor after what was written through it.
  void Advance(Char* end) { end_ = end; }
  void Put(Char c) { *end_++ = c; }
  void Flush() {
    out_.append(block_, end_);
    end_ = block_;
  }

 private:
  std::basic_string<Char>& out_;
  Char block_[kSize];
  Char* end_ = block_;
};

}  // namespace orvane
