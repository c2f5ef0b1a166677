#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace orvane::test {

// The server side of one scripted connection.
class Peer {
 public:
  explicit Peer(int fd, std::string& received, std::mutex& lock);
  ~Peer();

  void Send(std::string_view bytes);
  // Writes one byte at a time, pausing between them, so that every byte
  // arrives in a TCP segment of its own.
  void SendByteByByte(std::string_view bytes);
  // The next line, CR LF included; empty at the end of the connection.
  std::string ReadLine();
  // Reads one line and answers it.
  std::string Exchange(std::string_view reply);
  // The message data up to and including the terminating CR LF "." CR LF.
  std::string ReadData();
  // Reads until the client closes; false when it does not within `limit`.
  bool WaitForClose(std::chrono::milliseconds limit);
  // Ends the connection with a reset (RST) instead of an orderly close.
  void Reset();

 private:
  // Reads until `done` holds for what came since the call.
  std::string ReadUntil(const std::function<bool(std::string_view)>& done);

  int fd_;
  std::string pending_;
  std::string& received_;
  std::mutex& lock_;
};

// A server on 127.0.0.1 and a port the system chooses that accepts one
// connection and runs a script on it in a thread of its own, or one
// connection after another for a list of scripts. Records every byte the
// client wrote.
class ScriptedServer {
 public:
  using Script = std::function<void(Peer&)>;
  explicit ScriptedServer(Script script);
  explicit ScriptedServer(std::vector<Script> scripts);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int Port() const { return port_; }
  // Waits for the script to end.
  void Join();
  // What the client wrote so far.
  std::string Received() const;
  // What went wrong on the server side, if anything.
  std::string Failure() const;

 private:
  int listener_ = -1;
  int port_ = 0;
  mutable std::mutex lock_;
  std::string received_;
  std::string failure_;
  std::thread thread_;
};

// A loopback port on which nothing listens (at the moment of the call).
int UnusedPort();

}  // namespace orvane::test
