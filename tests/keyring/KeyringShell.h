#pragma once

#include <string>

namespace orvane::test {

struct Ran {
  int status = -1;
  std::string out;
};

// A shell command's exit status and standard output.
Ran Shell(const std::string& command);

// What secret-tool finds for items of the program with these further
// attributes ("account taro kind password"); empty when none.
std::string Lookup(const std::string& attributes);

}  // namespace orvane::test
