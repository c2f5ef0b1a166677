#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "support/TempFolder.h"

namespace orvane::bench {

// Runs per measurement; the median is reported.
constexpr int kRuns = 5;

// Runs the tasks in turn for `runs` rounds and returns the median wall time
// of each, in seconds (steady clock). Taking turns lets a change of load on
// the shared machine fall on every contender alike.
std::vector<double> MedianSecondsEach(const std::vector<std::function<void()>>& tasks,
                                      int runs = kRuns);
double MedianSeconds(const std::function<void()>& task, int runs = kRuns);

// `size` pseudo-random bytes from a fixed seed: the same attachment in
// every run and on every machine.
AnsiString AttachmentBytes(std::size_t size, std::uint64_t seed = 0x4F7276616E65ULL);

// The processor time this process has used so far, in seconds: set beside
// the wall time, it tells the work done from the waiting on a shared machine.
double CpuSeconds();

// The peak resident set of this process so far (VmHWM), in bytes.
long long PeakResidentBytes();

// Ends the program with a message when a peer's or our output is wrong: a
// benchmark of a broken converter measures nothing.
void Require(bool ok, const char* what);

// Runs a program with arguments, waits for it and returns what it wrote
// to its standard output; ends the benchmark when it fails.
std::string RunProgram(const std::vector<std::string>& argv);

// The value after "key " on a line of a peer's output; exits when missing.
double ValueOf(std::string_view output, std::string_view key);

// Temporary folders and whole-file reads and writes, shared with the tests.
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

}  // namespace orvane::bench
