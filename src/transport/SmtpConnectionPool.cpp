#include "transport/SmtpConnectionPool.h"

#include <chrono>
#include <stdexcept>

namespace orvane {

std::optional<TKeptSmtpConnection> TSmtpConnectionPool::Take(const AnsiString& key) {
  if (!kept_ || key != key_) {
    Close();
    return std::nullopt;
  }
  std::optional<TKeptSmtpConnection> taken = std::move(kept_);
  kept_.reset();
  return taken;
}

void TSmtpConnectionPool::Keep(const AnsiString& key, TKeptSmtpConnection kept) {
  Close();
  key_ = key;
  kept_ = std::move(kept);
  if (kept_->deliveries >= kMaxDeliveries) Close();
}

void TSmtpConnectionPool::Close() {
  if (!kept_) return;
  TConnection& connection = *kept_->connection;
  try {
    if (connection.Connected()) connection.WriteAll("QUIT\r\n", std::chrono::seconds(5));
  } catch (const std::exception&) {
    // The server has gone already.
  }
  connection.Close();
  kept_.reset();
}

}  // namespace orvane
