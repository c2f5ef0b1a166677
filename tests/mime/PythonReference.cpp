#include "PythonReference.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TempFolder.h"

namespace orvane::test {

std::string PythonReference(const std::string& command, std::string_view input) {
  TempFolder folder;
  const auto inputFile = folder / "input";
  WriteFile(inputFile, input);
  const std::string line = "python3 '" ORVANE_SOURCE_DIR "/tests/mime/python_reference.py' " +
                           command + " '" + inputFile.native() + "'";
  FILE* pipe = ::popen(line.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << line;
    return {};
  }
  std::string out;
  char buffer[65536];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  if (int status = ::pclose(pipe); status != 0) {
    ADD_FAILURE() << line << " exited with status " << status;
    return {};
  }
  return out;
}

}  // namespace orvane::test
