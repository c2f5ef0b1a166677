#include "oauth/HttpResponse.h"

#include <charconv>

#include "mime/HexDigits.h"
#include "platform/AsciiText.h"

namespace orvane {
namespace {

// The value of a header field of `head` (the lines after the status
// line), trimmed; nullopt when there is none.
std::optional<std::string_view> Field(std::string_view head, std::string_view name) {
  while (!head.empty()) {
    const std::size_t end = head.find("\r\n");
    const std::string_view line = head.substr(0, end);
    head = end == std::string_view::npos ? std::string_view() : head.substr(end + 2);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && SameAsciiText(Trim(line.substr(0, colon)), name))
      return Trim(line.substr(colon + 1));
  }
  return std::nullopt;
}

// Section 7.1: each chunk's size in hex, its data and CR LF, up to the
// chunk of size 0; extensions and trailer fields are skipped.
std::optional<AnsiString> Unchunk(std::string_view rest) {
  AnsiString body;
  for (;;) {
    const std::size_t lineEnd = rest.find("\r\n");
    if (lineEnd == std::string_view::npos) return std::nullopt;
    std::string_view sizeText = Trim(rest.substr(0, rest.find_first_of(";\r")));
    std::size_t size = 0;
    if (sizeText.empty() || sizeText.size() > 8) return std::nullopt;
    for (char c : sizeText) {
      if (HexValue(c) < 0) return std::nullopt;
      size = size * 16 + static_cast<std::size_t>(HexValue(c));
    }
    rest.remove_prefix(lineEnd + 2);
    if (size == 0) return body;
    if (rest.size() < size + 2 || rest.substr(size, 2) != "\r\n") return std::nullopt;
    body.append(rest.substr(0, size));
    rest.remove_prefix(size + 2);
  }
}

}  // namespace

std::optional<HttpResponse> ParseHttpResponse(std::string_view bytes) {
  const std::size_t headEnd = bytes.find("\r\n\r\n");
  if (headEnd == std::string_view::npos || !bytes.starts_with("HTTP/1.")) return std::nullopt;
  const std::string_view statusLine = bytes.substr(0, bytes.find("\r\n"));
  const std::size_t blank = statusLine.find(' ');
  if (blank == std::string_view::npos || statusLine.size() < blank + 4) return std::nullopt;
  const std::string_view code = statusLine.substr(blank + 1, 3);
  HttpResponse response;
  auto [end, error] = std::from_chars(code.data(), code.data() + 3, response.status);
  if (error != std::errc() || end != code.data() + 3 || response.status < 100) return std::nullopt;

  const std::string_view head = bytes.substr(statusLine.size() + 2, headEnd - statusLine.size());
  const std::string_view rest = bytes.substr(headEnd + 4);
  if (const auto coding = Field(head, "Transfer-Encoding")) {
    if (!SameAsciiText(*coding, "chunked")) return std::nullopt;
    std::optional<AnsiString> body = Unchunk(rest);
    if (!body) return std::nullopt;
    response.body = std::move(*body);
  } else if (const auto length = Field(head, "Content-Length")) {
    std::size_t size = 0;
    auto [lengthEnd, lengthError] =
        std::from_chars(length->data(), length->data() + length->size(), size);
    if (lengthError != std::errc() || lengthEnd != length->data() + length->size() ||
        rest.size() < size)
      return std::nullopt;
    response.body = AnsiString(rest.substr(0, size));
  } else {
    response.body = AnsiString(rest);
  }
  return response;
}

}  // namespace orvane
