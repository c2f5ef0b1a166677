#include "app/AccountFiles.h"

#include "platform/AsciiText.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

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

AnsiString FindDefaultAccount(const IniFileUnit& settings) {
  const std::vector<std::string> names = ListAccountNames(settings);
  if (names.empty()) return "NewAccount";
  return PathToSjis(names.front());
}

}  // namespace orvane
