#include <gtest/gtest.h>

#include "oauth/HttpsUrl.h"

namespace orvane {
namespace {

TEST(HttpsUrl, TakesOnlyPlainHttpsAddresses) {
  struct Case {
    const char* url;
    std::optional<HttpsUrl> parts;
  } cases[] = {
      {"https://login.microsoftonline.com/organizations/oauth2/v2.0/token",
       HttpsUrl{"login.microsoftonline.com", 443, "/organizations/oauth2/v2.0/token"}},
      {"https://oauth2.googleapis.com", HttpsUrl{"oauth2.googleapis.com", 443, "/"}},
      {"HTTPS://127.0.0.1:8443/token?x=1", HttpsUrl{"127.0.0.1", 8443, "/token?x=1"}},
      {"https://h?x=1", HttpsUrl{"h", 443, "/?x=1"}},
      {"https://[::1]:9/t", HttpsUrl{"::1", 9, "/t"}},
      {"https://[::1]/t", HttpsUrl{"::1", 443, "/t"}},
      // Tokens never go in plain text, nor anywhere but where it says.
      {"http://example.com/token", std::nullopt},
      {"https://user@example.com/token", std::nullopt},
      {"https://example.com/token#x", std::nullopt},
      {"https://example.com/to ken", std::nullopt},
      {"https://example.com\r\n/token", std::nullopt},
      {"https:///token", std::nullopt},
      {"https://example.com:/token", std::nullopt},
      {"https://example.com:0/token", std::nullopt},
      {"https://example.com:65536/token", std::nullopt},
      {"https://example.com:44x/token", std::nullopt},
      {"https://[::1/token", std::nullopt},
      {"https://[::1]x/token", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHttpsUrl(c.url), c.parts) << c.url;
}

}  // namespace
}  // namespace orvane
