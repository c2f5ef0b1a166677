#include "mime/SevenBit.h"

#include "mime/CharSet.h"
#include "mime/HeaderFields.h"
#include "mime/PartHeader.h"
#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"
#include "platform/AsciiText.h"

namespace orvane {
namespace {

// Parts nested deeper than this are left as they are.
constexpr int kMaxDepth = 32;

AnsiString SevenBitEntity(std::string_view entity, int depth);

// A leaf part's body in a 7-bit encoding, under its header with the
// Content-Transfer-Encoding field replaced. `header` ends with its empty line.
AnsiString Reencoded(std::string_view header, std::string_view body, bool text) {
  AnsiString encoded;
  const char* name = "quoted-printable";
  if (text && body.find('\0') == std::string_view::npos) {
    encoded = QuotedPrintableEncode(body);
  } else {
    name = "base64";
    AppendBase64Lines(body, encoded);
  }
  AnsiString fields = WithoutHeaderField(header, "Content-Transfer-Encoding");
  fields.resize(fields.size() - 2);  // the empty line
  return fields + "Content-Transfer-Encoding: " + name + "\r\n\r\n" + encoded;
}

// The body of a multipart entity with each part made 7-bit. The CR LF
// before a delimiter belongs to it (RFC 2046 section 5.1.1).
AnsiString SevenBitParts(std::string_view body, const AnsiString& boundary, int depth) {
  const AnsiString delimiter = "--" + boundary;
  std::size_t at = body.starts_with(delimiter) ? 0 : body.find("\r\n" + delimiter);
  if (at == std::string_view::npos) return AnsiString(body);
  if (at > 0) at += 2;
  AnsiString out(body.substr(0, at));  // the preamble
  while (at != std::string_view::npos) {
    const std::size_t lineEnd = body.find("\r\n", at);
    const bool close = body.substr(at + delimiter.size()).starts_with("--");
    if (close || lineEnd == std::string_view::npos) {
      out += body.substr(at);  // the close delimiter and the epilogue
      break;
    }
    out += body.substr(at, lineEnd + 2 - at);
    const std::size_t partStart = lineEnd + 2;
    const std::size_t next = body.find("\r\n" + delimiter, partStart);
    out += SevenBitEntity(
        body.substr(partStart,
                    next == std::string_view::npos ? std::string_view::npos : next - partStart),
        depth);
    if (next == std::string_view::npos) break;
    out += "\r\n";
    at = next + 2;
  }
  return out;
}

AnsiString SevenBitEntity(std::string_view entity, int depth) {
  const std::size_t split = entity.starts_with("\r\n") ? 0 : entity.find("\r\n\r\n");
  if (split == std::string_view::npos) return AnsiString(entity);
  const std::size_t bodyStart = split == 0 ? 2 : split + 4;
  const std::string_view header = entity.substr(0, bodyStart);
  const std::string_view body = entity.substr(bodyStart);
  if (IsAsciiBytes(body) || depth > kMaxDepth) return AnsiString(entity);
  // The readers find a field by a key that starts with CR LF.
  const AnsiString keyed = "\r\n" + AnsiString(header);
  const AnsiString lower = ToAsciiLower(keyed);
  const TPartType type = ClassifyContentType(lower);
  if (type.type == ctMultipart) {
    const AnsiString boundary = MultipartBoundary(keyed, lower);
    if (!boundary.empty()) return AnsiString(header) + SevenBitParts(body, boundary, depth + 1);
  }
  if (type.type == ctMessage) return AnsiString(header) + SevenBitEntity(body, depth + 1);
  return Reencoded(header, body, type.type == ctText);
}

}  // namespace

AnsiString WithCrLfLineEnds(std::string_view text) {
  AnsiString lines;
  lines.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) lines += '\r';
    lines += text[i];
  }
  return lines;
}

AnsiString SevenBitMessage(std::string_view message) {
  return SevenBitEntity(WithCrLfLineEnds(message), 0);
}

}  // namespace orvane
