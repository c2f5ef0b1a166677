#include "platform/Path.h"

#include <cstdlib>
#include <system_error>

#include "platform/CodePage.h"

namespace orvane {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::filesystem::path DefaultProgramFolder() {
  if (const char* home = std::getenv("ORVANE_HOME"); home && *home) return home;
  return ExecutableFolder();
}

WideString PathToWide(const std::filesystem::path& path) { return Utf8ToWide(path.native()); }

std::filesystem::path WideToPath(const WideString& text) { return WideToUtf8(text); }

AnsiString PathToSjis(const std::filesystem::path& path) { return WideToSjis(PathToWide(path)); }

std::filesystem::path SjisToPath(const AnsiString& text) { return WideToPath(SjisToWide(text)); }

}  // namespace orvane
