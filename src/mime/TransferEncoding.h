#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Base64 (RFC 2045 section 6.8) of the whole input as one line, "=" padded.
AnsiString Base64Encode(std::string_view bytes);

// The URL- and file-name-safe base64 of RFC 4648 section 5 ("-" and "_" for
// "+" and "/"), without padding, as OAuth (RFC 7636 appendix A) uses it.
AnsiString Base64UrlEncode(std::string_view bytes);

// The length of the base64 lines written for attachments.
inline constexpr size_t kBase64LineLength = 64;

// Appends the base64 of bytes to out in lines of 64 characters (48 input
// bytes), each line followed by CR LF. Empty input gives one empty line.
void AppendBase64Lines(std::string_view bytes, AnsiString& out);

// Decodes base64. "=" marks padding: a group of four whose third character
// is "=" yields one byte, one whose fourth is "=" two; a final group of two
// or three characters yields one or two bytes. CR, LF and every other
// character outside the alphabet are skipped wherever they stand. The
// output never exceeds the size computed from the count n of characters
// other than CR, LF and "=": (n div 4) * 3, plus (n mod 4) - 1 when n mod 4
// is not 0.
AnsiString Base64Decode(std::string_view text);

// Base64Decode appended to out.
void AppendBase64Decoded(std::string_view text, AnsiString& out);

}  // namespace orvane
