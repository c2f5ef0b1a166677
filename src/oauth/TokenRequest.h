#pragma once

#include <optional>
#include <string_view>

#include "oauth/FormFields.h"
#include "platform/Types.h"
#include "settings/OAuthSettings.h"

namespace orvane {

// The form of a token request that redeems an authorization code (RFC 6749
// section 4.1.3) with its PKCE verifier (RFC 7636 section 4.5).
FormFields CodeGrant(const OAuthClient& client, const AnsiString& code,
                     const AnsiString& redirectUri, const AnsiString& verifier);

// The form of a token request that trades a refresh token for a new access
// token (RFC 6749 section 6), asking for the scope the sign-in asked for.
FormFields RefreshGrant(const OAuthClient& client, const AnsiString& refreshToken);

// What a token endpoint answered (RFC 6749 sections 5.1 and 5.2).
struct TokenResponse {
  enum Outcome {
    kGranted,
    // invalid_grant: the code or refresh token is expired, revoked or used.
    kRefused,
    kFailed,  // any other error, or an answer that is not one
  } outcome = kFailed;
  AnsiString accessToken;
  // A new refresh token, when the endpoint hands one out.
  AnsiString refreshToken;
  // Seconds the access token lives, when the endpoint says.
  std::optional<long long> expiresIn;
  // Why it was not granted, for the user: the endpoint's error code and
  // description, or what was wrong with the answer.
  WideString reason;
};

// Reads an answer with its HTTP status code.
TokenResponse ReadTokenResponse(int status, std::string_view body);

}  // namespace orvane
