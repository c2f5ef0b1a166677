#include "oauth/RedirectWait.h"

#include <optional>
#include <string>

#include "platform/TcpSocket.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

// A request line and header larger than this is no redirect of ours.
constexpr std::size_t kMaxRequestBytes = 16 * 1024;

constexpr std::string_view kNotFound =
    "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";

// The request's head, up to its empty line; nullopt when the wait ended
// first, an empty text when the browser closed without one.
std::optional<std::string> ReadRequestHead(LoopbackConnection& connection,
                                           std::chrono::steady_clock::time_point deadline) {
  std::string head;
  char buffer[2048];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestBytes) {
    const std::optional<std::size_t> n = connection.Read(buffer, sizeof buffer, deadline);
    if (!n) return std::nullopt;
    if (*n == 0) break;
    head.append(buffer, *n);
  }
  return head;
}

}  // namespace

RedirectWait WaitForRedirect(LoopbackListener& listener, std::string_view state,
                             std::chrono::steady_clock::time_point deadline) {
  RedirectWait wait;
  for (;;) {
    std::unique_ptr<LoopbackConnection> connection = listener.Accept(deadline);
    std::optional<std::string> head;
    if (connection) {
      try {
        head = ReadRequestHead(*connection, deadline);
      } catch (const SocketError&) {
        continue;  // a connection reset before its request counts as none
      }
    }
    if (!head) {
      wait.outcome = listener.Interrupted() ? RedirectWait::kCancelled : RedirectWait::kTimedOut;
      return wait;
    }
    if (head->empty()) continue;
    wait.response = ReadAuthorizationResponse(*head, state);
    const bool ours = wait.response.outcome != AuthorizationResponse::kMalformed;
    try {
      connection->WriteAll(ours ? BrowserAnswer(wait.response.outcome) : AnsiString(kNotFound), 5s);
    } catch (const SocketError&) {
      // The browser went away; what it brought still counts.
    }
    if (ours) {
      wait.outcome = RedirectWait::kAnswered;
      return wait;
    }
  }
}

}  // namespace orvane
