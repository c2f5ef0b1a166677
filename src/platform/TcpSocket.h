#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// A name that does not resolve, a refused connection, a reset or a failed
// read or write.
class SocketError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A blocking TCP client connection. Writing to a connection the peer has
// closed raises SocketError and never raises SIGPIPE.
class TcpSocket {
 public:
  TcpSocket() = default;
  ~TcpSocket();
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  const AnsiString& Host() const { return host_; }
  void SetHost(AnsiString host) { host_ = std::move(host); }
  int Port() const { return port_; }
  void SetPort(int port) { port_ = port; }

  // Resolves Host (IPv4 or IPv6) and connects to the first address that
  // accepts. Raises SocketError when the host is empty, does not resolve or
  // no address accepts.
  void Open();
  // Whether the connection is open: Open succeeded and neither Close nor
  // the peer's end of the connection came since.
  bool Connected() const { return fd_ >= 0 && !peerClosed_; }
  // Waits until data can be read; false when the time-out passed first.
  bool WaitReadable(std::chrono::milliseconds timeout);
  // Reads what is there, at most `size` bytes; 0 when the peer has closed.
  std::size_t Read(char* buffer, std::size_t size);
  // Writes all of `bytes`, continuing after short writes.
  void WriteAll(std::string_view bytes);
  void Close();

 private:
  AnsiString host_;
  int port_ = 0;
  int fd_ = -1;
  bool peerClosed_ = false;
};

}  // namespace orvane
