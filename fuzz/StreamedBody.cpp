#include "transport/StreamedBody.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/PiecesSource.h"

namespace {

// Whether the wire form ends the data once, at its end, with every line
// ended by CR LF: no bare CR or LF a server might take for a line end.
bool EndsOnceWithCrLfLines(std::string_view wire) {
  if (!wire.ends_with("\r\n.\r\n") || wire.find("\r\n.\r\n") != wire.size() - 5) return false;
  for (std::size_t i = 0; i < wire.size(); ++i) {
    if (wire[i] == '\r' && (i + 1 == wire.size() || wire[i + 1] != '\n')) return false;
    if (wire[i] == '\n' && (i == 0 || wire[i - 1] != '\r')) return false;
  }
  return !wire.starts_with(".\r\n");
}

}  // namespace

// The first two bytes pick where the held beginning ends and how much each
// read of the rest brings; the rest is the body. Its wire form, however it
// arrives, is that of the whole body at once, and ends the data only once.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view body(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t split = std::min<std::size_t>(data[0], body.size());
  const std::size_t step = data[1] % 16 + 1;
  orvane::AnsiString whole, pieces;
  orvane::StreamedBody(body, nullptr).Fill(whole, orvane::AnsiString::npos);
  orvane::test::PiecesSource rest(body.substr(split), step);
  orvane::StreamedBody streamed(body.substr(0, split), &rest);
  while (!streamed.AtEnd()) streamed.Fill(pieces, pieces.size() + 7);
  if (pieces != whole || !EndsOnceWithCrLfLines(whole)) __builtin_trap();
  return 0;
}
