#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// Reads a text file the user made: UTF-16 when it begins with its byte
// order mark, UTF-8 when it is valid UTF-8 (a UTF-8 byte order mark is
// dropped), Shift_JIS otherwise. Throws FileError when it cannot be read.
WideString ReadUserTextFile(const std::filesystem::path& path);
WideString DecodeUserText(const AnsiString& bytes);

}  // namespace orvane
