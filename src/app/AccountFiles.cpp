#include "app/AccountFiles.h"

#include "platform/AsciiText.h"
#include "platform/FileSystem.h"

namespace orvane {

namespace {

constexpr size_t kExtensionLength = 4;  // ".ini"

}  // namespace

std::vector<std::string> ListAccountNames(const IniFileUnit& settings) {
  std::vector<std::string> names;
  for (const DirEntry& entry : ListDirectory(settings.ProgramFolder(), "*.ini")) {
    if (entry.isDirectory || SameAsciiText(entry.name, kGeneralFileName)) continue;
    std::string name = entry.name.substr(0, entry.name.size() - kExtensionLength);
    // ".ini" alone names no account: its account file would be ".ini.ini".
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace orvane
