#pragma once

#include <string_view>

namespace orvane {

// Byte rules of Shift_JIS text as the settings files hold it. The second
// byte of a double-byte character may look like an ASCII letter or "]", so
// these walk the text character by character.

bool IsSjisLeadByte(char c);

// Equal without regard to the case of ASCII letters; double-byte characters
// compare exactly.
bool SameSjisText(std::string_view a, std::string_view b);

// The position of the first single-byte character c, npos when there is none.
size_t FindSjisChar(std::string_view text, char c);

// At most maxBytes bytes of the text, never ending in the first half of a
// double-byte character.
std::string_view TruncateSjis(std::string_view text, size_t maxBytes);

}  // namespace orvane
