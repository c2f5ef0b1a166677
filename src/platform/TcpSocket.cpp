#include "platform/TcpSocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/CodePage.h"

namespace orvane {
namespace {

WideString ResolverReason(int rc) {
  switch (rc) {
    case EAI_NONAME:
    case EAI_NODATA:
    case EAI_FAIL:
      return u"ホストが見つかりません";
    case EAI_AGAIN:
      return u"ホスト名を今は調べられません";
    case EAI_SERVICE:
      return u"ポート番号が正しくありません";
    default:
      return Utf8ToWide(::gai_strerror(rc));
  }
}

[[noreturn]] void RaiseNotConnected() {
  throw SocketError("not connected", u"接続していません");
}

using Deadline = SocketDeadline;

}  // namespace

TcpSocket::TcpSocket() : interrupt_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (interrupt_ < 0) RaiseSocketErrno("eventfd", errno);
}

TcpSocket::~TcpSocket() {
  Close();
  ::close(interrupt_);
}

void TcpSocket::Open() {
  Close();
  if (host_.empty()) throw SocketError("no host name given", u"サーバが設定されていません");
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_ADDRCONFIG;
  addrinfo* found = nullptr;
  std::string service = std::to_string(port_);
  if (int rc = ::getaddrinfo(host_.c_str(), service.c_str(), &hints, &found); rc != 0)
    throw SocketError(host_ + ": " + ::gai_strerror(rc), ResolverReason(rc));
  int lastError = ECONNREFUSED;
  for (addrinfo* a = found; a; a = a->ai_next) {
    int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
      lastError = errno;
      continue;
    }
    int rc;
    do rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
      // Every write is a whole command or a large block of the message:
      // held back for an acknowledgement, the last block of a message on a
      // connection that has carried others waits out the server's delayed
      // acknowledgement (40 ms) each time.
      const int on = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      fd_ = fd;
      break;
    }
    lastError = errno;
    ::close(fd);
  }
  ::freeaddrinfo(found);
  if (fd_ < 0) RaiseSocketErrno(host_ + ":" + service, lastError);
  peerClosed_ = false;
  abandoned_ = false;
}

bool TcpSocket::WaitReadable(Deadline deadline) {
  if (fd_ < 0) RaiseNotConnected();
  return WaitOnSocket(fd_, POLLIN, -1, deadline) == SocketWait::kReady;
}

std::size_t TcpSocket::Read(char* buffer, std::size_t size) {
  if (fd_ < 0) RaiseNotConnected();
  for (;;) {
    ssize_t n = ::recv(fd_, buffer, size, 0);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0) {
      peerClosed_ = true;
      return 0;
    }
    if (errno != EINTR) RaiseSocketErrno("recv", errno);
  }
}

void TcpSocket::WriteAll(std::string_view bytes, std::chrono::milliseconds timeout) {
  if (fd_ < 0) RaiseNotConnected();
  SendAll(fd_, bytes, [&] { WaitWritable(timeout); });
}

bool TcpSocket::HasPendingInput() {
  return WaitReadable(std::chrono::steady_clock::now());
}

TcpSocket::WaitResult TcpSocket::Wait(bool forWrite, Deadline deadline) {
  if (fd_ < 0) RaiseNotConnected();
  return WaitOnSocket(fd_, forWrite ? POLLOUT : POLLIN, interrupt_, deadline);
}

void TcpSocket::WaitWritable(std::chrono::milliseconds timeout) {
  // Room to write wins over an interrupt: a short line such as QUIT still
  // goes out after a cancel.
  WaitResult result = Wait(true, std::chrono::steady_clock::now() + timeout);
  if (result != WaitResult::kReady) AbandonWrite(result, timeout);
}

void TcpSocket::AbandonWrite(WaitResult result, std::chrono::milliseconds timeout) {
  abandoned_ = true;
  if (result == WaitResult::kInterrupted) throw SocketError("write cancelled", u"中止しました");
  throw SocketError("no room to write for " + std::to_string(timeout.count()) + " ms",
                    u"サーバがデータを受け取りません");
}

bool TcpSocket::PeerIsLoopback() const {
  sockaddr_storage peer{};
  socklen_t size = sizeof peer;
  if (fd_ < 0 || ::getpeername(fd_, reinterpret_cast<sockaddr*>(&peer), &size) != 0) return false;
  if (peer.ss_family == AF_INET) {
    auto* v4 = reinterpret_cast<const sockaddr_in*>(&peer);
    return (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
  }
  if (peer.ss_family != AF_INET6) return false;
  const in6_addr& v6 = reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_addr;
  if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
  return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
}

void TcpSocket::Interrupt() {
  ::eventfd_write(interrupt_, 1);
}

void TcpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  peerClosed_ = false;
}

}  // namespace orvane
