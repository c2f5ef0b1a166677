#include <gtest/gtest.h>

#include "oauth/TokenRequest.h"

namespace orvane {
namespace {

TEST(TokenRequest, GrantsCarryTheClientAndSecretOnlyWhenThereIsOne) {
  OAuthClient client{"cid", "", "https://a/auth", "https://a/token", "s1 s2", ""};
  EXPECT_EQ(CodeGrant(client, "c0de", "http://127.0.0.1:5/", "v3r"),
            (FormFields{{"grant_type", "authorization_code"},
                        {"code", "c0de"},
                        {"redirect_uri", "http://127.0.0.1:5/"},
                        {"code_verifier", "v3r"},
                        {"client_id", "cid"}}));
  EXPECT_EQ(RefreshGrant(client, "rt"), (FormFields{{"grant_type", "refresh_token"},
                                                    {"refresh_token", "rt"},
                                                    {"scope", "s1 s2"},
                                                    {"client_id", "cid"}}));
  client.clientSecret = "sec";
  client.scope = "";
  EXPECT_EQ(RefreshGrant(client, "rt"), (FormFields{{"grant_type", "refresh_token"},
                                                    {"refresh_token", "rt"},
                                                    {"client_id", "cid"},
                                                    {"client_secret", "sec"}}));
}

TEST(TokenRequest, ResponseIsGrantedRefusedOrFailedWithItsReason) {
  using T = TokenResponse;
  const std::string bearer = R"({"access_token":"a","token_type":"Bearer",)";
  const auto deep = [](std::string open, std::string close) {
    std::string value;
    for (int i = 0; i < 100000; ++i) value += open;
    for (int i = 0; i < 100000; ++i) value += close;
    return value;
  };
  const char16_t* kNotBearer = u"トークンの発行元が Bearer トークンを返しませんでした";
  const char16_t* kUnreadable = u"トークンの発行元の応答を読めませんでした (HTTP 200)";
  struct Case {
    int status;
    std::string body;
    T::Outcome outcome;
    const char* accessToken;
    const char* refreshToken;
    std::optional<long long> expiresIn;
    const char16_t* reason;
  } cases[] = {
      {200,
       R"({"access_token":"eyJ0.eXAi-_~+/=","token_type":"Bearer","expires_in":3599,)"
       R"("refresh_token":"r1","scope":"x"})",
       T::kGranted, "eyJ0.eXAi-_~+/=", "r1", 3599, u""},
      // Older endpoints write the lifetime as a string; without one the
      // token has no known lifetime.
      {200, R"({"access_token":"a","token_type":"bearer","expires_in":"60"})", T::kGranted, "a", "",
       60, u""},
      {200, R"({"access_token":"a","token_type":"Bearer"})", T::kGranted, "a", "", std::nullopt,
       u""},
      {200, R"({"access_token":"a","token_type":"Bearer","expires_in":-5})", T::kGranted, "a", "",
       std::nullopt, u""},
      {200, R"({"access_token":"a","token_type":"mac"})", T::kFailed, "", "", std::nullopt,
       u"トークンの発行元が Bearer トークンを返しませんでした"},
      {200, R"({"token_type":"Bearer"})", T::kFailed, "", "", std::nullopt,
       u"トークンの発行元が Bearer トークンを返しませんでした"},
      // Nothing in the token may end a SASL field or a line.
      {200, R"({"access_token":"a\u0001b","token_type":"Bearer"})", T::kFailed, "", "",
       std::nullopt, u"トークンの発行元が Bearer トークンを返しませんでした"},
      {200, R"({"access_token":"a b","token_type":"Bearer"})", T::kFailed, "", "", std::nullopt,
       u"トークンの発行元が Bearer トークンを返しませんでした"},
      {400, R"({"error":"invalid_grant","error_description":"AADSTS70008: expired"})", T::kRefused,
       "", "", std::nullopt, u"invalid_grant: AADSTS70008: expired (HTTP 400)"},
      {401, R"({"error":"invalid_client"})", T::kFailed, "", "", std::nullopt,
       u"invalid_client (HTTP 401)"},
      {500, "{}", T::kFailed, "", "", std::nullopt, u"error (HTTP 500)"},
      {502, "<html>Bad gateway</html>", T::kFailed, "", "", std::nullopt,
       u"トークンの発行元の応答を読めませんでした (HTTP 502)"},
      // Members of another type count as missing, of a name given twice
      // the last; a lifetime beyond the clock is none, a number beyond a
      // double no JSON; nesting is skipped, not followed; only an object of
      // UTF-8 text is an answer.
      {200, R"({"access_token":7,"token_type":"Bearer"})", T::kFailed, "", "", {}, kNotBearer},
      {200, R"({"access_token":"a","token_type":["Bearer"]})", T::kFailed, "", "", {}, kNotBearer},
      {200, bearer + R"("refresh_token":{},"expires_in":true})", T::kGranted, "a", "", {}, u""},
      {200, bearer + R"("access_token":"b","expires_in":1.5})", T::kGranted, "b", "", {}, u""},
      {400, R"({"error":null,"error_description":4})", T::kFailed, "", "", {}, u"error (HTTP 400)"},
      {200, bearer + R"("expires_in":9223372036854775807})", T::kGranted, "a", "",
       9223372036854775807, u""},
      {200, bearer + R"("expires_in":18446744073709551616})", T::kGranted, "a", "", {}, u""},
      {200, bearer + R"("expires_in":"99999999999999999999"})", T::kGranted, "a", "", {}, u""},
      {200, bearer + R"("expires_in":1e999})", T::kFailed, "", "", {}, kUnreadable},
      {200, bearer + R"("x":)" + deep("[", "]") + "}", T::kGranted, "a", "", {}, u""},
      {200, bearer + R"("x":)" + deep(R"({"y":[)", "]}") + "}", T::kGranted, "a", "", {}, u""},
      {200, bearer + R"("x":)" + deep("[", "") + "}", T::kFailed, "", "", {}, kUnreadable},
      {200, R"(["access_token","a"])", T::kFailed, "", "", {}, kUnreadable},
      {200, bearer + "\"scope\":\"\xff\"}", T::kFailed, "", "", {}, kUnreadable},
      {200, bearer + R"("scope":"\ud800"})", T::kFailed, "", "", {}, kUnreadable},
      {200, bearer + R"("scope":""} {})", T::kFailed, "", "", {}, kUnreadable},
      {200, "", T::kFailed, "", "", {}, kUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.substr(0, 80));
    const T response = ReadTokenResponse(c.status, c.body);
    EXPECT_EQ(response.outcome, c.outcome);
    EXPECT_EQ(response.accessToken, c.accessToken);
    EXPECT_EQ(response.refreshToken, c.refreshToken);
    EXPECT_EQ(response.expiresIn, c.expiresIn);
    EXPECT_EQ(response.reason, c.reason);
  }
}

}  // namespace
}  // namespace orvane
