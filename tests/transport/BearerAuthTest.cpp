#include <gtest/gtest.h>

#include "transport/BearerAuth.h"

namespace orvane {
namespace {

// Expected texts: the published examples (Google's XOAUTH2 documentation,
// RFC 7628 section 4.1) and escapes of RFC 7628 section 3.1, encoded with
// Python's base64.
TEST(BearerAuth, InitialResponsesAreThePublishedOnes) {
  struct Case {
    const char* mechanism;
    AnsiString response;
    const char* expected;
  } cases[] = {
      {"XOAUTH2",
       XOAuth2Response("someuser@example.com", "ya29.vF9dft4qmTc2Nvb3RlckBhdHRhdmlzdGEuY29tCg"),
       "dXNlcj1zb21ldXNlckBleGFtcGxlLmNvbQFhdXRoPUJlYXJlciB5YTI5LnZGOWRmdDRxbVRjMk52YjNSbGNrQmhkSFJ"
       "o"
       "ZG1semRHRXVZMjl0Q2cBAQ=="},
      {"OAUTHBEARER",
       OAuthBearerResponse("user@example.com", "server.example.com", 143,
                           "vF9dft4qmTc2Nvb3RlckBhbHRhdmlzdGEuY29tCg=="),
       "bixhPXVzZXJAZXhhbXBsZS5jb20sAWhvc3Q9c2VydmVyLmV4YW1wbGUuY29tAXBvcnQ9MTQzAWF1dGg9QmVhcmVyIHZ"
       "G"
       "OWRmdDRxbVRjMk52YjNSbGNrQmhiSFJoZG1semRHRXVZMjl0Q2c9PQEB"},
      // "=" and "," in the name would end the GS2 header's field early.
      {"OAUTHBEARER escaped", OAuthBearerResponse("a=b,c", "h", 587, "t"),
       "bixhPWE9M0RiPTJDYywBaG9zdD1oAXBvcnQ9NTg3AWF1dGg9QmVhcmVyIHQBAQ=="},
  };
  for (const Case& c : cases) EXPECT_EQ(c.response, c.expected) << c.mechanism;
  EXPECT_EQ(kOAuthBearerErrorAnswer, "AQ==");  // a lone ^A
}

}  // namespace
}  // namespace orvane
