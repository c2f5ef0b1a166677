#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Quoted-printable body encoding (RFC 2045 section 6.7), read up to the
// first NUL. CR LF stays a hard line break; TAB and space are escaped
// before a CR and at the end; "=", control bytes, a lone CR or LF and bytes
// from 127 up are escaped as "=XX" with upper-case digits. Soft breaks keep
// every line at most 76 characters, the "=" included: directly after the
// last literal space of the line when it has one, else directly before the
// literal byte or escape that would overflow, so an escape is never split.
AnsiString QuotedPrintableEncode(std::string_view bytes);

// "=" CR LF is removed; "=" with two upper-case hexadecimal digits is the
// byte they spell; "=" with any other two characters is one space; a "="
// with fewer than two characters after it is copied.
AnsiString QuotedPrintableDecode(std::string_view text);

// The encoded text of a "Q" encoded word (RFC 2047 section 4.2): bytes 33
// to 126 other than "=", "?" and "_" as they are, every other byte, space
// included, as "=XX". In a phrase or a comment (section 5) only letters,
// digits and "!", "*", "+", "-", "/" stay as they are, so that no special
// such as "," or ")" stands in the word.
AnsiString QEscape(std::string_view bytes, bool phrase = false);

}  // namespace orvane
