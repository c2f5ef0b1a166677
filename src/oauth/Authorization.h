#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The authorization request (RFC 6749 section 4.1.1) with its PKCE
// challenge (RFC 7636 section 4.3).
struct AuthorizationRequest {
  AnsiString clientId;
  AnsiString redirectUri;
  AnsiString scope;
  AnsiString state;
  AnsiString challenge;  // S256
  // The account the provider's page suggests; left out when empty.
  AnsiString loginHint;
  // Further parameters, form-encoded, appended as they are.
  AnsiString extras;
};

// The address the browser opens: the endpoint with the request as its
// query, after a query the endpoint may carry already.
AnsiString AuthorizationUrl(std::string_view endpoint, const AuthorizationRequest& request);

// The redirect URI of a loopback listener on `port` (RFC 8252 section
// 7.3): the address literal, not "localhost", which could resolve
// elsewhere.
AnsiString LoopbackRedirectUri(int port);

// What the browser's request to the redirect URI carried (RFC 6749
// section 4.1.2).
struct AuthorizationResponse {
  enum Outcome {
    kCode,           // a code, with the state this sign-in sent
    kDenied,         // the provider's error, with the right state
    kStateMismatch,  // no state, or another one: not the answer to this request
    kMalformed,      // not a GET of the redirect URI's path, or neither code nor error
  } outcome = kMalformed;
  AnsiString code;
  // For kDenied: the error code, and its description after ": " when given.
  AnsiString error;
};

// Reads the request line of the browser's request ("GET /?code=...&state=...
// HTTP/1.1") for the redirect URI's path "/" and checks its state against
// `state`.
AuthorizationResponse ReadAuthorizationResponse(std::string_view request, std::string_view state);

// The whole HTTP response the browser gets: a short page in Japanese that
// says whether the sign-in went through and sends the user back.
AnsiString BrowserAnswer(AuthorizationResponse::Outcome outcome);

}  // namespace orvane
