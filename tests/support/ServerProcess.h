#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace orvane::test {

// A server program started for a test, stopped by its PID when the object
// goes (and killed by the system should the test process die first).
class ServerProcess {
 public:
  // Runs `argv` with its standard output readable through ReadLine.
  explicit ServerProcess(const std::vector<std::string>& argv);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // The next line of its output without the line end; empty when none came
  // within `limit` or the output ended.
  std::string ReadLine(std::chrono::milliseconds limit);
  // Whether it is still running.
  bool Running();
  // Asks it to end (SIGTERM), kills it when it does not within a few seconds.
  void Stop();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::string pending_;
};

// The port that a server of tests/servers announces with the line
// "PORT <n>" once it listens; 0 when no such line came within `limit`.
int AnnouncedPort(ServerProcess& server,
                  std::chrono::milliseconds limit = std::chrono::seconds(20));

// Whether something accepts connections on 127.0.0.1:port within `limit`.
bool WaitForPort(int port, std::chrono::milliseconds limit);

}  // namespace orvane::test
