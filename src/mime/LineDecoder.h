#pragma once

#include <functional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Decodes base64 text line by line, each line by itself (so padding may end
// any line and a group never spans two lines), handing the bytes to sink
// in pieces of about a megabyte; stops early when sink returns false.
// Returns false when sink refused.
bool DecodeBase64Lines(std::string_view text, const std::function<bool(std::string_view)>& sink);

// A body decoded by its Content-Transfer-Encoding (lower case): base64 line
// by line, quoted-printable, anything else unchanged.
AnsiString TransferDecoded(std::string_view body, std::string_view encoding);

}  // namespace orvane
