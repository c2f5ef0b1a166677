#pragma once

#include <memory>
#include <optional>

#include "platform/Types.h"
#include "transport/Connection.h"
#include "transport/SmtpExtensions.h"

namespace orvane {

// A connection left open after a delivery, signed in, for the next message
// to the same server as the same user.
struct TKeptSmtpConnection {
  std::unique_ptr<TConnection> connection;
  TSmtpExtensions extensions;  // what its EHLO reply advertised
  int deliveries = 0;          // made over it so far
};

// Keeps at most one connection between deliveries, so that a run of
// messages (a flush of the outbox) greets, secures and signs in once
// instead of once a message. Used on the main thread only: the workers
// hand connections in and out while the main thread runs for them.
class TSmtpConnectionPool {
 public:
  // Messages over one connection: a server that counts them per session
  // refuses beyond some limit, and a long session holds its resources.
  static constexpr int kMaxDeliveries = 100;

  TSmtpConnectionPool() = default;
  TSmtpConnectionPool(const TSmtpConnectionPool&) = delete;
  TSmtpConnectionPool& operator=(const TSmtpConnectionPool&) = delete;
  ~TSmtpConnectionPool() { Close(); }

  // The connection kept under `key`, taken out; none when none is kept
  // under it (one kept under another key is closed then).
  std::optional<TKeptSmtpConnection> Take(const AnsiString& key);
  // Keeps the connection under `key`, closing any other; one that has
  // carried kMaxDeliveries messages is closed instead.
  void Keep(const AnsiString& key, TKeptSmtpConnection kept);
  // Ends the session kept, if any: QUIT, without waiting for its reply.
  void Close();

 private:
  AnsiString key_;
  std::optional<TKeptSmtpConnection> kept_;
};

}  // namespace orvane
