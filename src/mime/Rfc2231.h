#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// One parameter as RFC 2231 writes it, each line beginning with a space.
// For charset "us-ascii" the value is written plain in double quotes with
// "="; for any other the text is charset + "''" + value with "*=". A text
// longer than 36 characters is cut into numbered segments ("name*0", ...),
// each ending before a "%" at positions 36 to 40 or after position 40, on
// lines of their own joined with ";" CR LF.
AnsiString EncodeRfc2231Parameter(std::string_view name, std::string_view charset,
                                  std::string_view value);

// The value of a parameter of the field found by key ("\r\ncontent-type:")
// in the header and its lower-cased copy, decoded into Unicode: numbered
// segments are joined, encoded words decoded, and an RFC 2231 extended
// value ("*=") is percent-decoded in its charset; a plain value goes
// through JisToSjis, so raw ISO-2022-JP is read too. The parameter name is
// matched as a plain substring ("name" also matches inside "filename"). A
// value ends before a ";" outside double quotes, before the next
// occurrence of the name, or at the end of the field.
WideString DecodeParameterText(std::string_view lowerHeader, std::string_view header,
                               std::string_view key, std::string_view name);

// DecodeParameterText as Shift_JIS.
AnsiString DecodeParameter(std::string_view lowerHeader, std::string_view header,
                           std::string_view key, std::string_view name);

}  // namespace orvane
