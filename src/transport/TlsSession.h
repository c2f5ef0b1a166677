#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/TcpSocket.h"
#include "platform/Types.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// TLS could not be set up, or the server's certificate was not accepted.
// The reason is for the user; the fingerprint names the certificate the
// server showed (empty when it showed none).
class TlsError : public std::runtime_error {
 public:
  explicit TlsError(WideString reason, AnsiString fingerprint = {});

  const WideString& Reason() const { return reason_; }
  const AnsiString& Fingerprint() const { return fingerprint_; }

 private:
  WideString reason_;
  AnsiString fingerprint_;
};

// Why a certificate chain with these verification errors (OpenSSL's
// X509_V_ERR_ codes) is refused, in words the user can act on; `host` is
// the name it had to carry.
WideString CertificateRefusal(const std::vector<int>& errors, const AnsiString& host);

// A TLS client session (TLS 1.2 or later) over a connected socket, made by
// the handshake in the constructor. Without a pin the server's chain must
// lead to a certificate of OpenSSL's default trust store (SSL_CERT_FILE and
// SSL_CERT_DIR are honoured) and name `host`; with one, exactly the pinned
// certificate is accepted, whatever its chain, and any other refused.
// The socket is switched to non-blocking mode and must outlive the session.
class TTlsSession {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // Raises TlsError when the handshake fails, does not end by `deadline`,
  // is interrupted, or the certificate is not accepted. Nothing has been
  // written through the session then.
  TTlsSession(TcpSocket& socket, const AnsiString& host, const AnsiString& pin, Deadline deadline);
  ~TTlsSession();
  TTlsSession(const TTlsSession&) = delete;
  TTlsSession& operator=(const TTlsSession&) = delete;

  // Reads what has arrived, at most `size` bytes, waiting until `deadline`:
  // nullopt when nothing came in time, 0 when the server ended the session
  // (with close_notify or without). Raises SocketError when it broke.
  std::optional<std::size_t> Read(char* buffer, std::size_t size, Deadline deadline);
  // As TcpSocket::WriteAll: a wait for room longer than `timeout`, or one
  // that Interrupt ends, abandons the connection and raises SocketError.
  void WriteAll(std::string_view bytes, std::chrono::milliseconds timeout);
  // Sends close_notify when it can do so without waiting.
  void Shutdown();

  // The protocol version and cipher, as "TLSv1.3 TLS_AES_256_GCM_SHA384".
  AnsiString Description() const;
  const AnsiString& Fingerprint() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace orvane
