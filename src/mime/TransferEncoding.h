#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Base64 (RFC 2045 section 6.8) of the whole input as one line, "=" padded.
AnsiString Base64Encode(std::string_view bytes);

// Decodes base64; CR and LF between groups of four are skipped, "=" marks
// padding. The output never exceeds the size computed from the count of
// characters other than CR, LF and "=".
AnsiString Base64Decode(std::string_view text);

}  // namespace orvane
