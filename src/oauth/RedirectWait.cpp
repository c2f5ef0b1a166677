#include "oauth/RedirectWait.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/TcpSocket.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// A request line and header larger than this is no redirect of ours.
constexpr std::size_t kMaxRequestBytes = 16 * 1024;
// A browser sends its request as soon as it has connected; a connection
// that has not done so by then is closed, so that it holds nothing.
constexpr auto kRequestTime = 5s;
// Connections read at once; the oldest makes way for a new one.
constexpr std::size_t kMaxConnections = 16;

constexpr std::string_view kNotFound =
    "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";

// A connection whose request is on its way.
struct Pending {
  std::unique_ptr<LoopbackConnection> connection;
  std::string head;
  SteadyClock::time_point until;
};

enum class Progress { kWaiting, kGone, kComplete };

// Takes what has arrived without waiting. A connection that closes
// without a request (a browser's spare one) or breaks is gone; one that
// closes after part of its request has sent all it will.
Progress ReadArrived(Pending& pending) {
  char buffer[2048];
  std::optional<std::size_t> n;
  try {
    n = pending.connection->Read(buffer, sizeof buffer, SteadyClock::now());
  } catch (const SocketError&) {
    return Progress::kGone;
  }
  if (!n) return Progress::kWaiting;
  if (*n == 0) return pending.head.empty() ? Progress::kGone : Progress::kComplete;
  pending.head.append(buffer, *n);
  return pending.head.find("\r\n\r\n") != std::string::npos ||
                 pending.head.size() >= kMaxRequestBytes
             ? Progress::kComplete
             : Progress::kWaiting;
}

void Answer(LoopbackConnection& connection, AuthorizationResponse::Outcome outcome) {
  try {
    connection.WriteAll(outcome == AuthorizationResponse::kMalformed ? AnsiString(kNotFound)
                                                                     : BrowserAnswer(outcome),
                        5s);
  } catch (const SocketError&) {
    // The browser went away; what it brought still counts.
  }
}

}  // namespace

RedirectWait WaitForRedirect(LoopbackListener& listener, std::string_view state,
                             SteadyClock::time_point deadline) {
  RedirectWait wait;
  std::vector<Pending> pending;
  for (;;) {
    const SteadyClock::time_point now = SteadyClock::now();
    if (now >= deadline) return wait;
    std::erase_if(pending, [&](const Pending& p) { return p.until <= now; });
    SteadyClock::time_point next = deadline;
    std::vector<const LoopbackConnection*> connections;
    for (const Pending& p : pending) {
      next = std::min(next, p.until);
      connections.push_back(p.connection.get());
    }
    if (!listener.WaitForActivity(connections, next)) {
      if (!listener.Interrupted()) continue;
      wait.outcome = RedirectWait::kCancelled;
      return wait;
    }
    if (std::unique_ptr<LoopbackConnection> connection = listener.Accept(now)) {
      if (pending.size() == kMaxConnections) pending.erase(pending.begin());
      pending.push_back({std::move(connection), "", SteadyClock::now() + kRequestTime});
    }
    for (auto it = pending.begin(); it != pending.end();) {
      const Progress progress = ReadArrived(*it);
      if (progress == Progress::kWaiting) {
        ++it;
        continue;
      }
      if (progress == Progress::kComplete) {
        const AuthorizationResponse response = ReadAuthorizationResponse(it->head, state);
        Answer(*it->connection, response.outcome);
        if (response.outcome == AuthorizationResponse::kCode ||
            response.outcome == AuthorizationResponse::kDenied)
          return {RedirectWait::kAnswered, response};
      }
      it = pending.erase(it);
    }
  }
}

}  // namespace orvane
