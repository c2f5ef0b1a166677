#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/SocketCalls.h"
#include "platform/Types.h"

namespace orvane {

// A name that does not resolve, a refused connection, a reset or a failed
// read or write. Besides the system's own text (what) it carries the reason
// in the user's words, such as "接続が拒否されました".
class SocketError : public std::runtime_error {
 public:
  SocketError(const std::string& what, WideString reason)
      : std::runtime_error(what), reason_(std::move(reason)) {}
  const WideString& Reason() const noexcept { return reason_; }

 private:
  WideString reason_;
};

// A blocking TCP client connection. Writing to a connection the peer has
// closed raises SocketError and never raises SIGPIPE.
class TcpSocket {
 public:
  TcpSocket();
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
  // Whether the connection is open: Open succeeded and neither Close, nor
  // the peer's end of the connection, nor an abandoned write came since.
  bool Connected() const { return fd_ >= 0 && !peerClosed_ && !abandoned_; }
  // Waits until data can be read; false when the deadline passed first.
  bool WaitReadable(std::chrono::steady_clock::time_point deadline);
  // Whether bytes have arrived that nobody has read yet.
  bool HasPendingInput();
  using WaitResult = SocketWait;
  // Waits until the connection is readable (or writable), the deadline
  // passes or Interrupt came; readiness wins over an interrupt.
  WaitResult Wait(bool forWrite, std::chrono::steady_clock::time_point deadline);
  // Reads what is there, at most `size` bytes; 0 when the peer has closed.
  std::size_t Read(char* buffer, std::size_t size);
  // Writes all of `bytes`, continuing after short writes. Whenever the
  // peer takes nothing, waits at most `timeout` for room; raises
  // SocketError when none comes in time or Interrupt came while it waited.
  // Such a write leaves the stream in an unknown state, so the connection
  // no longer counts as open.
  void WriteAll(std::string_view bytes, std::chrono::milliseconds timeout);
  // Ends a write that waits for room, and every later one that would wait,
  // at once. May be called from any thread while the socket exists.
  void Interrupt();
  void Close();
  // Ends a write whose wait for room came to `result` (timed out or
  // interrupted): abandons the connection and raises SocketError.
  [[noreturn]] void AbandonWrite(WaitResult result, std::chrono::milliseconds timeout);
  // Leaves the stream in an unknown state: the connection no longer counts
  // as open, so nothing more is written to it.
  void Abandon() { abandoned_ = true; }
  // Whether the connected peer is a loopback address (127.0.0.0/8, ::1 or
  // an IPv4-mapped loopback address).
  bool PeerIsLoopback() const;
  // The descriptor, for a protocol layered on the connection (TLS); -1
  // while closed.
  int Handle() const { return fd_; }

 private:
  // Waits until bytes can be written; raises SocketError, abandoning the
  // write, on a time-out or an interrupt.
  void WaitWritable(std::chrono::milliseconds timeout);

  AnsiString host_;
  int port_ = 0;
  int fd_ = -1;
  // Readable once Interrupt has been called; lives as long as the socket.
  int interrupt_ = -1;
  bool peerClosed_ = false;
  bool abandoned_ = false;
};

}  // namespace orvane
