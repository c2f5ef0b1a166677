#pragma once

#include <filesystem>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Reads a text file the user made: UTF-16 when it begins with its byte
// order mark, UTF-8 when it is valid UTF-8 (a UTF-8 byte order mark is
// dropped), Shift_JIS otherwise. Throws FileError when it cannot be read.
WideString ReadUserTextFile(const std::filesystem::path& path);
WideString DecodeUserText(const AnsiString& bytes);

// The lines of text, split at CR LF, CR or LF, each followed by CR LF. A
// line break at the very end starts no further line, so the empty text
// stays empty and a text ending without a line break gains one.
WideString WithCrLfLines(std::u16string_view text);

}  // namespace orvane
