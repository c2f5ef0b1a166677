#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// RFC 2231 parameter values: letters and digits as they are, every other
// byte ("." and "-" included) as "%XX" with upper-case digits. The bytes of
// keep stay as they are too: "-._~" gives a URL component in which only
// what RFC 3986 (section 2.3) does not leave unreserved is escaped.
AnsiString PercentEncode(std::string_view bytes, std::string_view keep = {});

// "%" with two upper-case hexadecimal digits below 0x80 is the byte they
// spell; with two characters that are not both such digits it is one space;
// with digits spelling 0x80 or more, and with fewer than two characters
// after it, the "%" and what follows are copied unchanged.
AnsiString PercentDecode(std::string_view text);

// As PercentDecode, but digits spelling 0x80 or more are that byte too: an
// RFC 2231 extended value escapes every octet of its charset, so a UTF-8
// name arrives as "%E3%81%82".
AnsiString PercentDecodeOctets(std::string_view text);

// The bytes a URI component stands for (RFC 3986 section 2.1): "%" with two
// hexadecimal digits of either case is the byte they spell, any other "%"
// stays as written. With plusIsSpace "+" is a blank, as in a form's fields
// (application/x-www-form-urlencoded).
AnsiString PercentDecodeUri(std::string_view text, bool plusIsSpace = false);

}  // namespace orvane
