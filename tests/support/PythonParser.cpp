#include "support/PythonParser.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace orvane::test {

JsonValue ParseWithPython(const std::filesystem::path& file) {
  std::string command =
      "python3 '" ORVANE_SOURCE_DIR "/tests/support/parse_message.py' '" + file.native() + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run python3");
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  int status = ::pclose(pipe);
  if (status != 0) throw std::runtime_error("parse_message.py failed: " + output);
  return ParseJson(output);
}

}  // namespace orvane::test
