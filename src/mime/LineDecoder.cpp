#include "mime/LineDecoder.h"

#include <array>

#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"

namespace orvane {
namespace {

constexpr std::array<bool, 256> MakeAlphabet() {
  std::array<bool, 256> t{};
  for (char c = 'A'; c <= 'Z'; ++c) t[static_cast<unsigned char>(c)] = true;
  for (char c = 'a'; c <= 'z'; ++c) t[static_cast<unsigned char>(c)] = true;
  for (char c = '0'; c <= '9'; ++c) t[static_cast<unsigned char>(c)] = true;
  t['+'] = t['/'] = true;
  return t;
}
constexpr auto kAlphabet = MakeAlphabet();

constexpr size_t kPieceBytes = 1 << 20;

}  // namespace

bool DecodeBase64Lines(std::string_view text, const std::function<bool(std::string_view)>& sink) {
  // A line of whole groups of the alphabet alone decodes the same by itself
  // as joined to the lines after it, so runs of such lines, ended by any
  // other line, are decoded at once.
  AnsiString piece;
  size_t runBegin = 0, i = 0;
  auto flush = [&](size_t end) {
    if (end > runBegin) AppendBase64Decoded(text.substr(runBegin, end - runBegin), piece);
    runBegin = end;
    if (piece.size() < kPieceBytes) return true;
    bool accepted = sink(piece);
    piece.clear();
    return accepted;
  };
  while (i < text.size()) {
    size_t lineBegin = i;
    bool whole = true;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') {
      whole = whole && kAlphabet[static_cast<unsigned char>(text[i])];
      ++i;
    }
    whole = whole && (i - lineBegin) % 4 == 0;
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    if (!whole || i - runBegin >= kPieceBytes) {
      if (!flush(i)) return false;
    }
  }
  if (!flush(text.size())) return false;
  return piece.empty() || sink(piece);
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
