#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// An HTTP response as a token endpoint sends it.
struct HttpResponse {
  int status = 0;
  AnsiString body;
  bool operator==(const HttpResponse&) const = default;
};

// The status and body of a whole HTTP/1.x response read to the end of its
// connection (RFC 9112): the body as Transfer-Encoding "chunked" frames it,
// else as long as Content-Length says, else up to the end. nullopt when it
// is no HTTP response, is cut short, or its framing contradicts itself.
std::optional<HttpResponse> ParseHttpResponse(std::string_view bytes);

}  // namespace orvane
