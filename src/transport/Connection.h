#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/TcpSocket.h"
#include "platform/Types.h"
#include "transport/TlsSession.h"

namespace orvane {

// The byte stream under the line transport: a TCP connection that TLS may
// take over (StartTls), after which every read and write goes through the
// session. There is no way back to plain text.
class TConnection {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  const AnsiString& Host() const { return socket_.Host(); }
  void SetHost(AnsiString host) { socket_.SetHost(std::move(host)); }
  int Port() const { return socket_.Port(); }
  void SetPort(int port) { socket_.SetPort(port); }

  // See TcpSocket::Open.
  void Open();
  // Open, and neither closed by either side nor abandoned since.
  bool Connected() const { return socket_.Connected() && !ended_; }
  bool Secure() const { return tls_ != nullptr; }
  // Whether the connection can take the next command: open, and nothing
  // has come unasked (a server closing an idle connection, or saying why
  // it will).
  bool Idle() { return Connected() && !socket_.HasPendingInput(); }
  // Reads what has arrived, at most `size` bytes, waiting until `deadline`:
  // nullopt when nothing came in time, 0 when the server closed.
  std::optional<std::size_t> Read(char* buffer, std::size_t size, Deadline deadline);
  // See TcpSocket::WriteAll.
  void WriteAll(std::string_view bytes, std::chrono::milliseconds timeout);
  // Hands the connection to TLS (see TTlsSession). For an upgrade after a
  // plain-text dialogue (STARTTLS, STLS), `unread` is what the dialogue
  // read beyond the server's go-ahead: bytes that came after it and before
  // the handshake, those or any still waiting, may have been injected by
  // whoever sits in the path (RFC 3207 section 6) and end the attempt,
  // never read as replies. Raises TlsError; the connection is abandoned
  // then.
  void StartTls(const AnsiString& pin, Deadline deadline,
                std::optional<std::string_view> unread = std::nullopt);
  // The session's protocol and cipher; empty in plain text.
  AnsiString TlsDescription() const;
  bool PeerIsLoopback() const { return socket_.PeerIsLoopback(); }
  // See TcpSocket::Interrupt.
  void Interrupt() { socket_.Interrupt(); }
  void Close();

 private:
  TcpSocket socket_;
  std::unique_ptr<TTlsSession> tls_;
  // The server ended the TLS session.
  bool ended_ = false;
};

}  // namespace orvane
