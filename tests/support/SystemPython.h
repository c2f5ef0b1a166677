#pragma once

#include <filesystem>
#include <string>

namespace orvane::test {

// The interpreter for the tests' Python scripts and servers: Debian's, for
// which python3-vobject is installed, even when another python3 comes first
// on the path. A version manager's python3 is a shell script that forks a
// dozen times before Python starts (a second at each start, and a few on a
// busy machine), which the tests that start hundreds of scripts, or a
// server that must announce its port in time, cannot afford.
inline std::string SystemPython() {
  return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

}  // namespace orvane::test
