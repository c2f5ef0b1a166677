#include "platform/Path.h"

#include <cstdlib>
#include <system_error>

#include "platform/CodePage.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

fs::path Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? fs::path(value) : fs::path();
}

// XDG_DATA_HOME counts only as an absolute path; a relative one is to be
// ignored.
fs::path UserDataFolder() {
  if (fs::path data = Environment("XDG_DATA_HOME"); data.is_absolute()) return data;
  return Environment("HOME") / ".local" / "share";
}

}  // namespace

fs::path ExecutableFolder() {
  std::error_code ec;
  auto exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec);
  return exe.parent_path();
}

fs::path ChooseProgramFolder(const ProgramFolderPlaces& places, const fs::path& generalFileName) {
  if (!places.orvaneHome.empty()) return places.orvaneHome;
  std::error_code ec;
  if (fs::is_regular_file(places.executableFolder / generalFileName, ec))
    return places.executableFolder;
  return places.dataHome / "orvane";
}

fs::path DefaultProgramFolder(const fs::path& generalFileName) {
  const ProgramFolderPlaces places{Environment("ORVANE_HOME"), ExecutableFolder(),
                                   UserDataFolder()};
  fs::path folder = ChooseProgramFolder(places, generalFileName);
  if (folder == places.dataHome / "orvane") {
    std::error_code ec;
    fs::create_directories(folder, ec);
  }
  return folder;
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
