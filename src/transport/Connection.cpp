#include "transport/Connection.h"

namespace orvane {

void TConnection::Open() {
  Close();
  socket_.Open();
}

std::optional<std::size_t> TConnection::Read(char* buffer, std::size_t size, Deadline deadline) {
  if (!tls_) {
    if (!socket_.WaitReadable(deadline)) return std::nullopt;
    return socket_.Read(buffer, size);
  }
  std::optional<std::size_t> count = tls_->Read(buffer, size, deadline);
  if (count == 0u) ended_ = true;
  return count;
}

void TConnection::WriteAll(std::string_view bytes, std::chrono::milliseconds timeout) {
  if (tls_)
    tls_->WriteAll(bytes, timeout);
  else
    socket_.WriteAll(bytes, timeout);
}

void TConnection::StartTls(const AnsiString& pin, Deadline deadline,
                           std::optional<std::string_view> unread) {
  try {
    if (unread && (!unread->empty() || socket_.HasPendingInput()))
      throw TlsError(
          u"サーバが TLS の開始前に余分なデータを送りました。"
          u"通信が改ざんされているおそれがあります");
    tls_ = std::make_unique<TTlsSession>(socket_, socket_.Host(), pin, deadline);
  } catch (...) {
    socket_.Abandon();
    throw;
  }
}

AnsiString TConnection::TlsDescription() const {
  return tls_ ? tls_->Description() : AnsiString();
}

void TConnection::Close() {
  if (tls_ && Connected()) tls_->Shutdown();
  tls_.reset();
  ended_ = false;
  socket_.Close();
}

}  // namespace orvane
