#include "Support.h"

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace orvane::bench {

std::vector<double> MedianSecondsEach(const std::vector<std::function<void()>>& tasks, int runs) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::vector<double>> times(tasks.size());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      const auto start = Clock::now();
      tasks[i]();
      times[i].push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
  }
  std::vector<double> medians;
  for (std::vector<double>& each : times) {
    std::sort(each.begin(), each.end());
    medians.push_back(each[each.size() / 2]);
  }
  return medians;
}

double MedianSeconds(const std::function<void()>& task, int runs) {
  return MedianSecondsEach({task}, runs)[0];
}

AnsiString AttachmentBytes(std::size_t size, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  AnsiString bytes(size, '\0');
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const std::uint64_t word = random();
    std::memcpy(bytes.data() + i, &word, 8);
  }
  for (; i < size; ++i) bytes[i] = static_cast<char>(random());
  return bytes;
}

double CpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

long long PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
  }
  return -1;
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
  std::exit(1);
}

std::string RunProgram(const std::vector<std::string>& argv) {
  int pipe[2];
  Require(::pipe(pipe) == 0, "cannot create a pipe");
  const pid_t pid = ::fork();
  Require(pid >= 0, "cannot start a process");
  if (pid == 0) {
    ::dup2(pipe[1], STDOUT_FILENO);
    ::close(pipe[0]);
    ::close(pipe[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipe[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s: %s failed (status %d)\n", program_invocation_short_name,
                 argv[0].c_str(), status);
    std::exit(1);
  }
  return output;
}

double ValueOf(std::string_view output, std::string_view key) {
  for (std::size_t at = 0; at < output.size();) {
    std::size_t end = output.find('\n', at);
    if (end == std::string_view::npos) end = output.size();
    std::string_view line = output.substr(at, end - at);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == ' ')
      return std::stod(std::string(line.substr(key.size() + 1)));
    at = end + 1;
  }
  std::fprintf(stderr, "%s: no \"%.*s\" in a peer's output\n", program_invocation_short_name,
               int(key.size()), key.data());
  std::exit(1);
}

}  // namespace orvane::bench
