#include <gtest/gtest.h>

#include "oauth/HttpResponse.h"

namespace orvane {
namespace {

TEST(HttpResponse, BodyIsFramedAsTheHeaderSays) {
  struct Case {
    const char* bytes;
    std::optional<HttpResponse> response;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n{}", HttpResponse{200, "{}"}},
      {"HTTP/1.0 400 Bad Request\r\nContent-Type: application/json\r\n\r\n{\"error\":1}\r\n",
       HttpResponse{400, "{\"error\":1}\r\n"}},
      // Bytes after the declared length are not the body's.
      {"HTTP/1.1 200 OK\r\ncontent-length:  3 \r\n\r\nabcdef", HttpResponse{200, "abc"}},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
       "4\r\n{\"a\"\r\nB;ext=1\r\n:\"0123456\"}\r\n0\r\nTrailer: x\r\n\r\n",
       HttpResponse{200, "{\"a\":\"0123456\"}"}},
      {"HTTP/1.1 204 No Content\r\n\r\n", HttpResponse{204, ""}},
      {"", std::nullopt},
      {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n", std::nullopt},
      {"SMTP/1.1 200 OK\r\n\r\n", std::nullopt},
      {"HTTP/1.1 2x0 OK\r\n\r\n", std::nullopt},
      {"HTTP/1.1\r\n\r\n", std::nullopt},
      {"HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nshort", std::nullopt},
      {"HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\n", std::nullopt},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\nxx", std::nullopt},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab\r\n0\r\n\r\n", std::nullopt},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n", std::nullopt},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHttpResponse(c.bytes), c.response) << c.bytes;
}

}  // namespace
}  // namespace orvane
