#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The message without any header field of that name (compared without
// regard to ASCII case; blanks before the colon allowed, RFC 5322 section
// 4.5.3), each removed with its continuation lines (section 2.2.3). Only the
// header, up to the first empty line, is searched; the body stays as it is.
AnsiString WithoutHeaderField(std::string_view message, std::string_view name);

// The header of the message with the empty line that ends it; the whole
// text when it has no body.
std::string_view MessageHeader(std::string_view message);

// Whether the header holds a field of that name (matched as above).
bool HasHeaderField(std::string_view message, std::string_view name);

}  // namespace orvane
