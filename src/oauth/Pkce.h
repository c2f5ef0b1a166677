#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Proof Key for Code Exchange (RFC 7636): the verifier stays with the
// program, the challenge goes with the authorization request, and only who
// holds the verifier can redeem the code.
struct PkcePair {
  AnsiString verifier;   // 43 characters: 32 random bytes in base64url (section 4.1)
  AnsiString challenge;  // S256 of the verifier (section 4.2)
};

PkcePair MakePkcePair();

// BASE64URL(SHA256(ASCII(verifier))), the "S256" method.
AnsiString PkceChallenge(std::string_view verifier);

// A fresh value of `state` (RFC 6749 section 10.12): 128 random bits in
// base64url, which nobody else can guess.
AnsiString MakeState();

}  // namespace orvane
