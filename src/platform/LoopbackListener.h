#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

// A connection that a LoopbackListener accepted. Lives no longer than its
// listener, whose Interrupt ends its waits too.
class LoopbackConnection {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  LoopbackConnection(int fd, int interrupt) : fd_(fd), interrupt_(interrupt) {}
  ~LoopbackConnection();
  LoopbackConnection(const LoopbackConnection&) = delete;
  LoopbackConnection& operator=(const LoopbackConnection&) = delete;

  // Reads what has arrived, at most `size` bytes: nullopt when nothing came
  // by `deadline` or the listener was interrupted, 0 when the peer closed.
  // Raises SocketError when the connection broke.
  std::optional<std::size_t> Read(char* buffer, std::size_t size, Deadline deadline);
  // Writes all of `bytes`; raises SocketError when the peer takes nothing
  // for `timeout` or the connection broke.
  void WriteAll(std::string_view bytes, std::chrono::milliseconds timeout);

 private:
  friend class LoopbackListener;
  int fd_;
  int interrupt_;
};

// A listening socket on 127.0.0.1 and a port the system chooses: where a
// browser on this machine hands a result back to the program (RFC 8252
// section 7.3). Only the loopback interface can reach it.
class LoopbackListener {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // Raises SocketError when no port can be had.
  LoopbackListener();
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int Port() const { return port_; }
  // The next connection; null when none came by `deadline` or Interrupt
  // came first (Interrupted tells which).
  std::unique_ptr<LoopbackConnection> Accept(Deadline deadline);
  // Waits until a connection can be accepted or one of `connections` has
  // bytes to read (or was closed or broke): false when none by `deadline`,
  // or once Interrupt came, whatever is ready (Interrupted tells which).
  bool WaitForActivity(const std::vector<const LoopbackConnection*>& connections,
                       Deadline deadline);
  // Ends the wait of Accept, of WaitForActivity and of every accepted
  // connection's Read, now and later. May be called from any thread while
  // the listener exists.
  void Interrupt();
  bool Interrupted() const;

 private:
  int fd_ = -1;
  int interrupt_ = -1;
  int port_ = 0;
};

}  // namespace orvane
