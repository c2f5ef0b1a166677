#include "mime/LineDecoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "mime/Base64Engine.h"
#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"

namespace orvane {
namespace {

constexpr size_t kPieceBytes = 1 << 20;

bool IsLineBreak(unsigned char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

bool DecodeBase64Lines(std::string_view text, const std::function<bool(std::string_view)>& sink) {
  // A line of whole groups of the alphabet alone is what the engine takes
  // in one go, into the piece; the rest of any other line (from a group's
  // start, so it decodes as the whole line would there) goes through
  // AppendBase64Decoded by itself.
  const TBase64Engine& engine = FastestBase64();
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  const auto piece = std::make_unique_for_overwrite<char[]>(kPieceBytes);
  size_t used = 0;
  auto flush = [&] {
    const bool accepted = used == 0 || sink(std::string_view(piece.get(), used));
    used = 0;
    return accepted;
  };
  size_t i = 0;
  while (i < size) {
    if (used + 3 > kPieceBytes && !flush()) return false;
    const size_t slice = std::min(size - i, (kPieceBytes - used) / 3 * 4);
    const size_t taken = engine.decodeGroups(in + i, slice, piece.get() + used);
    used += taken / 4 * 3;
    i += taken;
    if (i == size || taken == slice) continue;
    size_t lineEnd = i;
    while (lineEnd < size && !IsLineBreak(in[lineEnd])) ++lineEnd;
    if (lineEnd > i) {
      AnsiString rest;
      AppendBase64Decoded(text.substr(i, lineEnd - i), rest);
      if (used + rest.size() > kPieceBytes && !flush()) return false;
      if (rest.size() > kPieceBytes) {
        if (!sink(rest)) return false;
      } else {
        std::memcpy(piece.get() + used, rest.data(), rest.size());
        used += rest.size();
      }
    }
    i = lineEnd;
    if (i < size && in[i] == '\r') ++i;
    if (i < size && in[i] == '\n') ++i;
  }
  return flush();
}

AnsiString TransferDecoded(std::string_view body, std::string_view encoding) {
  if (encoding == "base64") {
    AnsiString out;
    out.reserve(body.size() / 4 * 3);
    DecodeBase64Lines(body, [&](std::string_view bytes) {
      out += bytes;
      return true;
    });
    return out;
  }
  if (encoding == "quoted-printable") return QuotedPrintableDecode(body);
  return AnsiString(body);
}

}  // namespace orvane
