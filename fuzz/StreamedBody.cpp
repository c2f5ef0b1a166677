#include "transport/StreamedBody.h"

#include <cstddef>
#include <cstdint>
#include <string>
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

// The body as the wire should carry it when kept as given: every line
// break CR LF, a last one added when missing.
std::string WithCrLfLines(std::string_view body) {
  std::string lines;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' || body[i] == '\n') {
      lines += "\r\n";
      if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
    } else {
      lines += body[i];
    }
  }
  if (!lines.empty() && !lines.ends_with("\r\n")) lines += "\r\n";
  return lines;
}

// The wire form without its terminating line and its dot-stuffing.
std::string Unstuffed(std::string_view wire) {
  wire.remove_suffix(3);
  std::string text;
  for (std::size_t start = 0; start < wire.size();) {
    const std::size_t end = wire.find("\r\n", start) + 2;
    text += wire.substr(start + (wire[start] == '.' ? 1 : 0), end - start - (wire[start] == '.'));
    start = end;
  }
  return text;
}

}  // namespace

// The first two bytes pick where the held beginning ends, how much each
// read of the rest brings and how the end is written; the rest is the body.
// Its wire form, however it arrives, is that of the whole body at once,
// ends the data only once, and keeps a body given as it is line for line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view body(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t split = std::min<std::size_t>(data[0], body.size());
  const std::size_t step = data[1] % 16 + 1;
  const auto end = data[1] & 0x80 ? orvane::BodyEnd::AsGiven : orvane::BodyEnd::Trimmed;
  orvane::AnsiString whole, pieces;
  orvane::StreamedBody(body, nullptr, end).Fill(whole, orvane::AnsiString::npos);
  orvane::test::PiecesSource rest(body.substr(split), step);
  orvane::StreamedBody streamed(body.substr(0, split), &rest, end);
  while (!streamed.AtEnd()) streamed.Fill(pieces, pieces.size() + 7);
  if (pieces != whole) __builtin_trap();
  if (end == orvane::BodyEnd::Trimmed && !EndsOnceWithCrLfLines(whole)) __builtin_trap();
  if (end == orvane::BodyEnd::AsGiven && Unstuffed(whole) != WithCrLfLines(body)) __builtin_trap();
  return 0;
}
