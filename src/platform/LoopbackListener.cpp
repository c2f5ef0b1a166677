#include "platform/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SocketCalls.h"
#include "platform/TcpSocket.h"

namespace orvane {

LoopbackConnection::~LoopbackConnection() {
  ::close(fd_);
}

std::optional<std::size_t> LoopbackConnection::Read(char* buffer, std::size_t size,
                                                    Deadline deadline) {
  if (WaitOnSocket(fd_, POLLIN, interrupt_, deadline) != SocketWait::kReady) return std::nullopt;
  for (;;) {
    ssize_t n = ::recv(fd_, buffer, size, 0);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) RaiseSocketErrno("recv", errno);
  }
}

void LoopbackConnection::WriteAll(std::string_view bytes, std::chrono::milliseconds timeout) {
  SendAll(fd_, bytes, [&] {
    if (WaitOnSocket(fd_, POLLOUT, interrupt_, std::chrono::steady_clock::now() + timeout) !=
        SocketWait::kReady)
      throw SocketError("no room to write", u"ブラウザがデータを受け取りません");
  });
}

LoopbackListener::LoopbackListener() : interrupt_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (interrupt_ < 0) RaiseSocketErrno("eventfd", errno);
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    int error = errno;
    ::close(interrupt_);
    RaiseSocketErrno("socket", error);
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
    RaiseSocketErrno("listen on 127.0.0.1", error);
  }
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
  ::close(fd_);
  ::close(interrupt_);
}

std::unique_ptr<LoopbackConnection> LoopbackListener::Accept(Deadline deadline) {
  for (;;) {
    if (WaitOnSocket(fd_, POLLIN, interrupt_, deadline) != SocketWait::kReady) return nullptr;
    int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) return std::make_unique<LoopbackConnection>(fd, interrupt_);
    // A peer that gave up between poll and accept leaves nothing to take.
    if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN)
      RaiseSocketErrno("accept", errno);
  }
}

bool LoopbackListener::WaitForActivity(const std::vector<const LoopbackConnection*>& connections,
                                       Deadline deadline) {
  std::vector<pollfd> waits = {{interrupt_, POLLIN, 0}, {fd_, POLLIN, 0}};
  for (const LoopbackConnection* connection : connections)
    waits.push_back({connection->fd_, POLLIN, 0});
  for (;;) {
    int rc = ::poll(waits.data(), waits.size(), PollTimeout(deadline));
    if (rc < 0 && errno == EINTR) continue;
    if (rc < 0) RaiseSocketErrno("poll", errno);
    return rc > 0 && waits[0].revents == 0;
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
