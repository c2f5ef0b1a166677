#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// The folder that holds the program's settings and data: ORVANE_HOME when it
// is set, otherwise the folder of the executable.
std::filesystem::path DefaultProgramFolder();

// The folder of the running executable, where the shipped files (help book,
// read-me, icons) are found when the program folder does not hold them.
std::filesystem::path ExecutableFolder();

// A path as program text and back. Paths are UTF-8 on this file system;
// Shift_JIS forms are for the settings files, where an unrepresentable
// character becomes "?".
WideString PathToWide(const std::filesystem::path& path);
std::filesystem::path WideToPath(const WideString& text);
AnsiString PathToSjis(const std::filesystem::path& path);
std::filesystem::path SjisToPath(const AnsiString& text);

}  // namespace orvane
