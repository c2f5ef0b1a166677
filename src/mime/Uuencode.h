#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Decodes uuencoded lines (without the "begin" and "end" lines); CR and LF
// separate lines. The first character of a line gives its byte count (its
// code minus 32, the grave accent 0); the rest is read in groups of four.
// Characters missing at the end of a short line count as 0, as a space
// would: mailers strip trailing spaces. A line never yields more bytes than
// its count.
AnsiString UudecodeLine(std::string_view text);

// UudecodeLine appended to out.
void AppendUudecoded(std::string_view text, AnsiString& out);

}  // namespace orvane
