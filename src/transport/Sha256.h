#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The 32-byte SHA-256 digest (FIPS 180-4) of `bytes`.
AnsiString Sha256(std::string_view bytes);

}  // namespace orvane
