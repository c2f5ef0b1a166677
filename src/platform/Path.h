#pragma once

#include <filesystem>
#include <optional>

#include "platform/Error.h"
#include "platform/Types.h"

namespace orvane {

// The places the program folder is chosen from, as the environment gives
// them (empty when unset).
struct ProgramFolderPlaces {
  std::filesystem::path orvaneHome;        // ORVANE_HOME
  std::filesystem::path executableFolder;  // the folder of the running executable
  std::filesystem::path xdgDataHome;       // XDG_DATA_HOME
  std::filesystem::path home;              // HOME
};

// The folder that holds the program's settings and data: ORVANE_HOME when
// it is set; otherwise the executable's folder when it holds the general
// settings file (a portable copy); otherwise "orvane" in the user's data
// folder, since an installed executable's folder cannot be written. The
// data folder is XDG_DATA_HOME, else HOME/.local/share; a relative one
// counts as unset, since it would name a folder of whatever the current
// folder is. nullopt when no absolute data folder is left.
std::optional<std::filesystem::path> ChooseProgramFolder(
    const ProgramFolderPlaces& places, const std::filesystem::path& generalFileName);

// Thrown when the environment names no place for the program folder (a
// process started without HOME): "設定を置くフォルダがありません ...
// ORVANE_HOME に設定フォルダを指定してください".
class NoProgramFolderError : public Error {
 public:
  NoProgramFolderError();
};

// ChooseProgramFolder from the process's environment; throws
// NoProgramFolderError. The folder in the user's data folder is created
// 0700 (with its missing parents) when it is missing; when that fails, the
// first file written there reports it.
std::filesystem::path DefaultProgramFolder(const std::filesystem::path& generalFileName);

// The line telling that the program folder is open to other users (its
// group or others have any right on it), with its mode: nullopt when it is
// private or cannot be examined. A folder the program did not make is
// never narrowed behind the user's back: the user is told and decides.
std::optional<WideString> OpenFolderNotice(const std::filesystem::path& folder);

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
