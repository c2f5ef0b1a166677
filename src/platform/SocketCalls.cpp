#include "platform/SocketCalls.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/TcpSocket.h"

namespace orvane {

WideString ErrnoReason(int error) {
  switch (error) {
    case ECONNREFUSED:
      return u"接続が拒否されました";
    case ETIMEDOUT:
      return u"接続がタイムアウトしました";
    case ENETUNREACH:
      return u"ネットワークに到達できません";
    case EHOSTUNREACH:
      return u"ホストに到達できません";
    case ECONNRESET:
      return u"接続がリセットされました";
    case EPIPE:
      return u"相手が接続を閉じています";
    default:
      return Utf8ToWide(std::strerror(error));
  }
}

int PollTimeout(SocketDeadline deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<long long>(left.count(), 0));
}

void RaiseSocketErrno(const std::string& what, int error) {
  throw SocketError(what + ": " + std::strerror(error), ErrnoReason(error));
}

SocketWait WaitOnSocket(int fd, short events, int interrupt, SocketDeadline deadline) {
  for (;;) {
    // poll passes over an entry whose descriptor is negative.
    pollfd p[2] = {{fd, events, 0}, {interrupt, POLLIN, 0}};
    int rc = ::poll(p, 2, PollTimeout(deadline));
    if (rc < 0 && errno == EINTR) continue;
    if (rc < 0) RaiseSocketErrno("poll", errno);
    if (p[0].revents != 0) return SocketWait::kReady;
    return p[1].revents != 0 ? SocketWait::kInterrupted : SocketWait::kTimedOut;
  }
}

void SendAll(int fd, std::string_view bytes, const std::function<void()>& waitWritable) {
  while (!bytes.empty()) {
    // The write is tried first: waiting costs a call only when the peer's
    // window is full.
    ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) RaiseSocketErrno("send", errno);
    waitWritable();
  }
}

}  // namespace orvane
