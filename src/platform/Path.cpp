#include "platform/Path.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

fs::path Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? fs::path(value) : fs::path();
}

// XDG_DATA_HOME, else HOME/.local/share; a relative path is to be ignored.
std::optional<fs::path> UserDataFolder(const ProgramFolderPlaces& places) {
  if (places.xdgDataHome.is_absolute()) return places.xdgDataHome;
  if (places.home.is_absolute()) return places.home / ".local" / "share";
  return std::nullopt;
}

}  // namespace

NoProgramFolderError::NoProgramFolderError()
    : Error(u"設定を置くフォルダがありません (HOME も XDG_DATA_HOME も絶対パスではありません)。"
            u"ORVANE_HOME に設定フォルダを指定してください") {}

fs::path ExecutableFolder() {
  std::error_code ec;
  auto exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec);
  return exe.parent_path();
}

std::optional<fs::path> ChooseProgramFolder(const ProgramFolderPlaces& places,
                                            const fs::path& generalFileName) {
  if (!places.orvaneHome.empty()) return places.orvaneHome;
  std::error_code ec;
  if (fs::is_regular_file(places.executableFolder / generalFileName, ec))
    return places.executableFolder;
  if (std::optional<fs::path> data = UserDataFolder(places)) return *data / "orvane";
  return std::nullopt;
}

fs::path DefaultProgramFolder(const fs::path& generalFileName) {
  const ProgramFolderPlaces places{Environment("ORVANE_HOME"), ExecutableFolder(),
                                   Environment("XDG_DATA_HOME"), Environment("HOME")};
  const std::optional<fs::path> folder = ChooseProgramFolder(places, generalFileName);
  if (!folder) throw NoProgramFolderError();
  if (*folder != places.orvaneHome && *folder != places.executableFolder)
    CreatePrivateFolders(*folder);
  return *folder;
}

std::optional<WideString> OpenFolderNotice(const fs::path& folder) {
  std::error_code ec;
  const fs::perms perms = fs::status(folder, ec).permissions() & fs::perms::all;
  if (ec || (perms & (fs::perms::group_all | fs::perms::others_all)) == fs::perms::none)
    return std::nullopt;
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(perms));
  return FormatMessage(u"フォルダ %s は他のユーザーにも開かれています (モード ", PathToWide(folder)) +
         Utf8ToWide(mode) + u")。chmod 700 で自分だけのものになります";
}

fs::path InstalledDataFolder() {
  const fs::path executable = ExecutableFolder();
  std::error_code ec;
  if (executable.filename() == "bin") {
    fs::path shared = executable.parent_path() / "share" / "orvane";
    if (fs::is_directory(shared, ec)) return shared;
  }
  return executable;
}

WideString PathToWide(const fs::path& path) { return Utf8ToWide(path.native()); }

fs::path WideToPath(const WideString& text) { return WideToUtf8(text); }

AnsiString PathToSjis(const fs::path& path) { return WideToSjis(PathToWide(path)); }

fs::path SjisToPath(const AnsiString& text) { return WideToPath(SjisToWide(text)); }

}  // namespace orvane
