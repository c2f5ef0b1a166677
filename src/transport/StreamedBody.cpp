#include "transport/StreamedBody.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

constexpr std::size_t kReadSize = 256 * 1024;

// How much of a part that more text follows can be encoded now: up to its
// last byte that is no blank, control character or "." (see BodyEncoder).
// Only the bytes from `from` on are looked at: those before are held back
// already, so none of them is such a byte.
std::size_t SettledLength(std::string_view part, std::size_t from = 0) {
  for (std::size_t n = part.size(); n > from; --n) {
    const auto byte = static_cast<unsigned char>(part[n - 1]);
    if (byte > ' ' && byte != '.') return n;
  }
  return 0;
}

}  // namespace

StreamedBody::StreamedBody(std::string_view first, MessageSource* rest, BodyEnd end)
    : first_(first), rest_(rest), encoder_(end) {}

void StreamedBody::Fill(AnsiString& out, std::size_t size) {
  while (out.size() < size && !encoder_.AtEnd()) {
    if (encoder_.Hungry()) FeedNext();
    encoder_.Fill(out, size);
  }
}

void StreamedBody::FeedNext() {
  if (!firstFed_) {
    firstFed_ = true;
    if (!rest_) return encoder_.Feed(first_, true);
    const std::size_t settled = SettledLength(first_);
    buffer_.assign(first_.substr(settled));
    filled_ = buffer_.size();
    fed_ = 0;
    return encoder_.Feed(first_.substr(0, settled), false);
  }
  // What was held back moves to the front, the next read after it.
  if (fed_ > 0) std::memmove(buffer_.data(), buffer_.data() + fed_, filled_ - fed_);
  filled_ -= fed_;
  const std::size_t held = filled_;
  if (buffer_.size() < filled_ + kReadSize)
    buffer_.resize(std::max(2 * filled_, filled_ + kReadSize));
  const std::size_t read = rest_->Read(buffer_.data() + filled_, kReadSize);
  filled_ += read;
  const std::string_view text(buffer_.data(), filled_);
  fed_ = read == 0 ? filled_ : SettledLength(text, held);
  encoder_.Feed(text.substr(0, fed_), read == 0);
}

}  // namespace orvane
