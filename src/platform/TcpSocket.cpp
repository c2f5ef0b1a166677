#include "platform/TcpSocket.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace orvane {
namespace {

[[noreturn]] void RaiseErrno(const std::string& what, int error) {
  throw SocketError(what + ": " + std::strerror(error));
}

}  // namespace

TcpSocket::~TcpSocket() {
  Close();
}

void TcpSocket::Open() {
  Close();
  if (host_.empty()) throw SocketError("no host name given");
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_ADDRCONFIG;
  addrinfo* found = nullptr;
  std::string service = std::to_string(port_);
  if (int rc = ::getaddrinfo(host_.c_str(), service.c_str(), &hints, &found); rc != 0)
    throw SocketError(host_ + ": " + ::gai_strerror(rc));
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
      fd_ = fd;
      break;
    }
    lastError = errno;
    ::close(fd);
  }
  ::freeaddrinfo(found);
  if (fd_ < 0) RaiseErrno(host_ + ":" + service, lastError);
  peerClosed_ = false;
}

bool TcpSocket::WaitReadable(std::chrono::milliseconds timeout) {
  if (fd_ < 0) throw SocketError("not connected");
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd_, POLLIN, 0};
    int rc = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
    if (rc > 0) return true;
    if (rc == 0) return false;
    if (errno != EINTR) RaiseErrno("poll", errno);
  }
}

std::size_t TcpSocket::Read(char* buffer, std::size_t size) {
  if (fd_ < 0) throw SocketError("not connected");
  for (;;) {
    ssize_t n = ::recv(fd_, buffer, size, 0);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0) {
      peerClosed_ = true;
      return 0;
    }
    if (errno != EINTR) RaiseErrno("recv", errno);
  }
}

void TcpSocket::WriteAll(std::string_view bytes) {
  if (fd_ < 0) throw SocketError("not connected");
  while (!bytes.empty()) {
    ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseErrno("send", errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void TcpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  peerClosed_ = false;
}

}  // namespace orvane
