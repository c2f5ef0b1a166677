#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// The places the program folder is chosen from.
struct ProgramFolderPlaces {
  std::filesystem::path orvaneHome;        // ORVANE_HOME, empty when unset
  std::filesystem::path executableFolder;  // the folder of the running executable
  std::filesystem::path dataHome;          // XDG_DATA_HOME, else ~/.local/share
};

// The folder that holds the program's settings and data: ORVANE_HOME when
// it is set; otherwise the executable's folder when it holds the general
// settings file (a portable copy); otherwise "orvane" in the user's data
// folder, since an installed executable's folder cannot be written.
std::filesystem::path ChooseProgramFolder(const ProgramFolderPlaces& places,
                                          const std::filesystem::path& generalFileName);

// The same from the process's environment. The folder in the user's data
// folder is created when it is missing; when that fails, the first file
// written there reports it.
std::filesystem::path DefaultProgramFolder(const std::filesystem::path& generalFileName);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// Where the shipped files (help book, read-me) were installed: share/orvane
// of the prefix the executable's bin folder lies in, or the executable's
// own folder in a build tree, which holds them beside it.
std::filesystem::path InstalledDataFolder();

// A path as program text and back. Paths are UTF-8 on this file system;
// Shift_JIS forms are for the settings files, where an unrepresentable
// character becomes "?".
WideString PathToWide(const std::filesystem::path& path);
std::filesystem::path WideToPath(const WideString& text);
AnsiString PathToSjis(const std::filesystem::path& path);
std::filesystem::path SjisToPath(const AnsiString& text);

}  // namespace orvane
