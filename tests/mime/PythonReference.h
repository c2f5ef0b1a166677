#pragma once

#include <string>
#include <string_view>

namespace orvane::test {

// Runs a command of tests/mime/python_reference.py on input and returns
// what it wrote; a failing run fails the current test and gives "".
std::string PythonReference(const std::string& command, std::string_view input);

}  // namespace orvane::test
