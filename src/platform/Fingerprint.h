#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// A certificate's digest as the log shows it and a pin is compared:
// upper-case hex pairs joined by colons ("AB:CD:…").
AnsiString FingerprintText(const unsigned char* digest, std::size_t size);

// A SHA-256 fingerprint as the user may write it (hex digits, with or
// without colons or blanks, either case) in the form FingerprintText gives.
// nullopt when it is not 32 bytes of hex.
std::optional<AnsiString> NormalizeFingerprint(std::string_view text);

}  // namespace orvane
