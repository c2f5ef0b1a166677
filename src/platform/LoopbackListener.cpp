#include "platform/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "platform/TcpSocket.h"

namespace orvane {
namespace {

using Deadline = std::chrono::steady_clock::time_point;

[[noreturn]] void RaiseErrno(const std::string& what, int error) {
  throw SocketError(what + ": " + std::strerror(error), Utf8ToWide(std::strerror(error)));
}

int PollTimeout(Deadline deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<long long>(left.count(), 0));
}

enum class Wait { kReady, kTimedOut, kInterrupted };

// Waits for `events` on fd, the deadline or the interrupt; readiness wins
// over a deadline or an interrupt that come at the same time.
Wait WaitFor(int fd, short events, int interrupt, Deadline deadline) {
  for (;;) {
    pollfd p[2] = {{fd, events, 0}, {interrupt, POLLIN, 0}};
    int rc = ::poll(p, 2, PollTimeout(deadline));
    if (rc < 0 && errno == EINTR) continue;
    if (rc < 0) RaiseErrno("poll", errno);
    if (p[0].revents != 0) return Wait::kReady;
    if (p[1].revents != 0) return Wait::kInterrupted;
    return Wait::kTimedOut;
  }
}

}  // namespace

LoopbackConnection::~LoopbackConnection() {
  ::close(fd_);
}

std::optional<std::size_t> LoopbackConnection::Read(char* buffer, std::size_t size,
                                                    Deadline deadline) {
  if (WaitFor(fd_, POLLIN, interrupt_, deadline) != Wait::kReady) return std::nullopt;
  for (;;) {
    ssize_t n = ::recv(fd_, buffer, size, 0);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) RaiseErrno("recv", errno);
  }
}

void LoopbackConnection::WriteAll(std::string_view bytes, std::chrono::milliseconds timeout) {
  while (!bytes.empty()) {
    ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) RaiseErrno("send", errno);
    Deadline deadline = std::chrono::steady_clock::now() + timeout;
    if (WaitFor(fd_, POLLOUT, interrupt_, deadline) != Wait::kReady)
      throw SocketError("no room to write", u"ブラウザがデータを受け取りません");
  }
}

LoopbackListener::LoopbackListener() : interrupt_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (interrupt_ < 0) RaiseErrno("eventfd", errno);
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    int error = errno;
    ::close(interrupt_);
    RaiseErrno("socket", error);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd_, 4) != 0 ||
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    int error = errno;
    ::close(fd_);
    ::close(interrupt_);
    RaiseErrno("listen on 127.0.0.1", error);
  }
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
  ::close(fd_);
  ::close(interrupt_);
}

std::unique_ptr<LoopbackConnection> LoopbackListener::Accept(Deadline deadline) {
  for (;;) {
    if (WaitFor(fd_, POLLIN, interrupt_, deadline) != Wait::kReady) return nullptr;
    int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) return std::make_unique<LoopbackConnection>(fd, interrupt_);
    // A peer that gave up between poll and accept leaves nothing to take.
    if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) RaiseErrno("accept", errno);
  }
}

void LoopbackListener::Interrupt() {
  ::eventfd_write(interrupt_, 1);
}

bool LoopbackListener::Interrupted() const {
  pollfd p{interrupt_, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}

}  // namespace orvane
