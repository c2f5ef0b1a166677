#pragma once

#include <cstddef>

#include "platform/Types.h"

namespace orvane {

// `count` bytes from the system's cryptographic random source, for values
// nobody may guess (a PKCE verifier, an OAuth state). Raises Error when the
// source fails, never returning weaker bytes instead.
AnsiString SecureRandomBytes(std::size_t count);

}  // namespace orvane
