#include "PythonReference.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/SystemPython.h"
#include "support/TempFolder.h"

namespace orvane::test {

std::string PythonReference(const std::string& command, std::string_view input) {
  TempFolder folder;
  const auto inputFile = folder / "input";
  WriteFile(inputFile, input);
  const std::string line = SystemPython() +
                           " '" ORVANE_SOURCE_DIR "/tests/mime/python_reference.py' " + command +
                           " '" + inputFile.native() + "'";
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

std::vector<std::string> PythonReferenceEach(const std::string& command,
                                             const std::vector<std::string>& headers) {
  std::string input;
  for (size_t i = 0; i < headers.size(); ++i) {
    if (i > 0) input += '\0';
    input += headers[i];
  }
  const std::string output = PythonReference(command, input);
  std::vector<std::string> answers;
  size_t start = 0;
  for (size_t end; (end = output.find('\0', start)) != std::string::npos; start = end + 1)
    answers.push_back(output.substr(start, end - start));
  answers.push_back(output.substr(start));
  if (answers.size() != headers.size()) {
    ADD_FAILURE() << command << " gave " << answers.size() << " answers for " << headers.size();
    answers.resize(headers.size());
  }
  return answers;
}

}  // namespace orvane::test
