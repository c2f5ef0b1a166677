#include "app/AccountFiles.h"

#include "platform/FileSystem.h"

namespace orvane {

namespace {

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return text;
}

constexpr std::string_view kGeneralFileName = "orvane.ini";
constexpr size_t kExtensionLength = 4;  // ".ini"

}  // namespace

std::vector<std::string> ListAccountNames(const IniFileUnit& settings) {
  std::vector<std::string> names;
  for (const DirEntry& entry : ListDirectory(settings.ProgramFolder(), "*.ini")) {
    if (entry.isDirectory || AsciiLower(entry.name) == kGeneralFileName) continue;
    std::string name = entry.name.substr(0, entry.name.size() - kExtensionLength);
    // ".ini" alone names no account: its account file would be ".ini.ini".
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace orvane
