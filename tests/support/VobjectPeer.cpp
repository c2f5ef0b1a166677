#include "support/VobjectPeer.h"

#include <cstdio>
#include <stdexcept>

#include "support/SystemPython.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

std::string Run(const std::string& arguments) {
  std::string command =
      SystemPython() + " '" ORVANE_SOURCE_DIR "/tests/support/vcard_peer.py' " + arguments;
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
