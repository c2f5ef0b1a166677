#pragma once

#include <string>

namespace orvane {

// A byte string: Shift_JIS text, or message bytes as they go on the wire.
using AnsiString = std::string;

// Unicode text as UTF-16 code units; "characters" of wide text are units.
using WideString = std::u16string;

}  // namespace orvane
