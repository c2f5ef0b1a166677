#include <gtest/gtest.h>

#include "oauth/Authorization.h"

namespace orvane {
namespace {

TEST(Authorization, UrlCarriesTheRequestAfterTheEndpoint) {
  AuthorizationRequest request{
      "client-1", "http://127.0.0.1:50000/", "a b/c", "st4te", "ch-al_lenge", "", ""};
  const char* const query =
      "response_type=code&client_id=client-1&redirect_uri=http%3A%2F%2F127.0.0.1%3A50000%2F"
      "&scope=a%20b%2Fc&state=st4te&code_challenge=ch-al_lenge&code_challenge_method=S256";
  struct Case {
    const char* endpoint;
    const char* loginHint;
    const char* extras;
    std::string url;
  } cases[] = {
      {"https://a.example/auth", "", "", std::string("https://a.example/auth?") + query},
      {"https://a.example/auth?tenant=x", "", "",
       std::string("https://a.example/auth?tenant=x&") + query},
      {"https://a.example/auth", "taro@example.jp", "access_type=offline&prompt=consent",
       std::string("https://a.example/auth?") + query +
           "&login_hint=taro%40example.jp&access_type=offline&prompt=consent"},
  };
  for (const Case& c : cases) {
    request.loginHint = c.loginHint;
    request.extras = c.extras;
    EXPECT_EQ(AuthorizationUrl(c.endpoint, request), c.url);
  }
  EXPECT_EQ(LoopbackRedirectUri(50000), "http://127.0.0.1:50000/");
}

TEST(Authorization, ResponseCountsOnlyWithThisSignInsState) {
  using R = AuthorizationResponse;
  struct Case {
    const char* request;
    R::Outcome outcome;
    const char* codeOrError;
  } cases[] = {
      {"GET /?code=abc%2Fdef&state=S1 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", R::kCode, "abc/def"},
      {"GET /?state=S1&code=x&iss=https%3A%2F%2Fa HTTP/1.1\r\n\r\n", R::kCode, "x"},
      {"GET /?code=abc&state=S2 HTTP/1.1\r\n\r\n", R::kStateMismatch, ""},
      {"GET /?code=abc&state=s1 HTTP/1.1\r\n\r\n", R::kStateMismatch, ""},
      {"GET /?code=abc HTTP/1.1\r\n\r\n", R::kStateMismatch, ""},
      {"GET /?code=abc&state=S1x HTTP/1.1\r\n\r\n", R::kStateMismatch, ""},
      // An error with someone else's state is not this sign-in's either.
      {"GET /?error=access_denied&state=S2 HTTP/1.1\r\n\r\n", R::kStateMismatch, ""},
      {"GET /?error=access_denied&state=S1 HTTP/1.1\r\n\r\n", R::kDenied, "access_denied"},
      {"GET /?error=access_denied&error_description=User+said+no&state=S1 HTTP/1.1\r\n\r\n",
       R::kDenied, "access_denied: User said no"},
      {"GET /?state=S1 HTTP/1.1\r\n\r\n", R::kMalformed, ""},
      {"GET /?state=S1&code= HTTP/1.1\r\n\r\n", R::kMalformed, ""},
      {"POST /?code=abc&state=S1 HTTP/1.1\r\n\r\n", R::kMalformed, ""},
      {"GET /favicon.ico HTTP/1.1\r\n\r\n", R::kMalformed, ""},
      {"GET /other?code=abc&state=S1 HTTP/1.1\r\n\r\n", R::kMalformed, ""},
      {"GET /?code=abc&state=S1\r\n\r\n", R::kMalformed, ""},
      {"", R::kMalformed, ""},
  };
  for (const Case& c : cases) {
    const R response = ReadAuthorizationResponse(c.request, "S1");
    EXPECT_EQ(response.outcome, c.outcome) << c.request;
    EXPECT_EQ(c.outcome == R::kDenied ? response.error : response.code, c.codeOrError) << c.request;
  }
}

TEST(Authorization, BrowserGetsAWholeJapanesePage) {
  struct Case {
    AuthorizationResponse::Outcome outcome;
    const char* status;
    const char* text;
  } cases[] = {
      {AuthorizationResponse::kCode, "HTTP/1.1 200 OK\r\n", "このページを閉じて"},
      {AuthorizationResponse::kDenied, "HTTP/1.1 200 OK\r\n", "サインインできませんでした"},
      {AuthorizationResponse::kStateMismatch, "HTTP/1.1 400 Bad Request\r\n",
       "受け付けませんでした"},
  };
  for (const Case& c : cases) {
    const AnsiString answer = BrowserAnswer(c.outcome);
    EXPECT_TRUE(answer.starts_with(c.status)) << answer;
    EXPECT_NE(answer.find("Content-Type: text/html; charset=utf-8\r\n"), AnsiString::npos);
    EXPECT_NE(answer.find(c.text), AnsiString::npos) << answer;
    const std::size_t bodyStart = answer.find("\r\n\r\n") + 4;
    EXPECT_NE(answer.find("Content-Length: " + std::to_string(answer.size() - bodyStart) + "\r\n"),
              AnsiString::npos);
  }
}

}  // namespace
}  // namespace orvane
