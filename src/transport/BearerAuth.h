#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The SASL mechanisms that carry an OAuth 2.0 bearer token; each result is
// the base64 initial response of "AUTH mechanism response" (RFC 4954
// section 4).

// XOAUTH2: "user=" name ^A "auth=Bearer " token ^A ^A.
AnsiString XOAuth2Response(std::string_view user, std::string_view token);

// OAUTHBEARER (RFC 7628 section 3.1): the GS2 header "n,a=" name "," with
// "," and "=" of the name escaped as "=2C" and "=3D", then ^A host= ^A
// port= ^A auth=Bearer token ^A ^A.
AnsiString OAuthBearerResponse(std::string_view user, std::string_view host, int port,
                               std::string_view token);

// What the client answers to a 334 challenge in the middle of such an
// exchange, which carries the server's error report (RFC 7628 section
// 3.2.3): OAUTHBEARER a lone ^A, in base64; XOAUTH2 an empty line. The
// server then ends the exchange with its failure reply.
inline constexpr std::string_view kOAuthBearerErrorAnswer = "AQ==";
inline constexpr std::string_view kXOAuth2ErrorAnswer = "";

}  // namespace orvane
