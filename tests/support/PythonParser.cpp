#include "support/PythonParser.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "support/SystemPython.h"

namespace orvane::test {

namespace {

JsonValue RunScript(const std::string& script, const std::string& arguments) {
  std::string command =
      SystemPython() + " '" ORVANE_SOURCE_DIR "/tests/support/" + script + "' " + arguments;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run python3");
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  int status = ::pclose(pipe);
  if (status != 0) throw std::runtime_error(script + " failed: " + output);
  return ParseJson(output);
}

}  // namespace

JsonValue ParseWithPython(const std::filesystem::path& file) {
  return RunScript("parse_message.py", "'" + file.native() + "'");
}

JsonValue CheckWireWithPython(const std::filesystem::path& file, bool rawHeaderNames) {
  return RunScript("check_wire.py",
                   "'" + file.native() + "'" + (rawHeaderNames ? " --raw-header-names" : ""));
}

}  // namespace orvane::test
