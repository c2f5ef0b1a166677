#include "support/VobjectPeer.h"

#include <cstdio>
#include <stdexcept>

#include "support/TempFolder.h"

namespace orvane::test {
namespace {

// Debian's interpreter, for which python3-vobject is installed, even when
// another python3 comes first on the path.
std::string Python() {
  return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

std::string Run(const std::string& arguments) {
  std::string command =
      Python() + " '" ORVANE_SOURCE_DIR "/tests/support/vcard_peer.py' " + arguments;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run python3");
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  if (::pclose(pipe) != 0) throw std::runtime_error("vcard_peer.py failed: " + output);
  return output;
}

}  // namespace

void WriteCardsWithVobject(const std::string& json, const std::filesystem::path& out) {
  TempFolder folder;
  WriteFile(folder / "cards.json", json);
  Run("write '" + (folder / "cards.json").native() + "' '" + out.native() + "'");
}

JsonValue ReadCardsWithVobject(const std::filesystem::path& file) {
  return ParseJson(Run("read '" + file.native() + "'"));
}

}  // namespace orvane::test
