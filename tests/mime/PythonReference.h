#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::test {

// Runs a command of tests/mime/python_reference.py on input and returns
// what it wrote; a failing run fails the current test and gives "".
std::string PythonReference(const std::string& command, std::string_view input);

// Runs a header command once for several headers and gives one answer for
// each.
std::vector<std::string> PythonReferenceEach(const std::string& command,
                                             const std::vector<std::string>& headers);

}  // namespace orvane::test
