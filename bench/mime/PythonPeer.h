#pragma once

#include <filesystem>
#include <string>

#include "BenchMessage.h"

namespace orvane::bench {

struct PythonRun {
  double seconds;       // median of the runs, timed inside Python
  long long peakBytes;  // the Python process's peak resident set
};

// Python's email composes message `runs` times; the last message is
// written to out.
PythonRun PythonCompose(const BenchMessage& message, const std::filesystem::path& out, int runs);

// Python's email parses the message file `runs` times, writing the text
// body to folder/body.txt (UTF-8) and the attachment under its name.
PythonRun PythonDecode(const std::filesystem::path& message, const std::filesystem::path& folder,
                       int runs);

}  // namespace orvane::bench
