#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "oauth/RedirectWait.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

// A request that a local process starts and never finishes.
const std::string kStalled = "GET /?code=";

// One connection of a browser: sends `request` (nothing when empty), then
// reads the answer to its end (ten seconds at most) and gives its status
// line. A kStalled connection is left open in `stalled` instead.
std::string Browse(int port, const std::string& request, std::vector<int>& stalled) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  timeval limit{10, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    return "no connection";
  if (request.empty()) {
    ::close(fd);
    return "";
  }
  ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  if (request == kStalled) {
    stalled.push_back(fd);
    return "";
  }
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, size_t(n));
  ::close(fd);
  return answer.substr(0, answer.find("\r\n"));
}

TEST(RedirectWait, OnlyTheRedirectWithItsStateEndsTheWait) {
  const std::string good = "GET /?code=c1&state=S HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  struct Case {
    const char* name;
    // "": a connection closed without a request; kStalled stays open
    std::vector<std::string> requests;
    RedirectWait::Outcome outcome;
    AuthorizationResponse::Outcome response;
    std::vector<std::string> statusLines;
  } cases[] = {
      {"redirect",
       {good},
       RedirectWait::kAnswered,
       AuthorizationResponse::kCode,
       {"HTTP/1.1 200 OK"}},
      {"spare connection first",
       {"", good},
       RedirectWait::kAnswered,
       AuthorizationResponse::kCode,
       {"", "HTTP/1.1 200 OK"}},
      {"favicon first",
       {"GET /favicon.ico HTTP/1.1\r\n\r\n", good},
       RedirectWait::kAnswered,
       AuthorizationResponse::kCode,
       {"HTTP/1.1 404 Not Found", "HTTP/1.1 200 OK"}},
      // Any local process can reach the listener: neither a wrong state
      // nor a connection that never sends its request ends or stalls it.
      {"another state first",
       {"GET /?code=c1&state=T HTTP/1.1\r\n\r\n", good},
       RedirectWait::kAnswered,
       AuthorizationResponse::kCode,
       {"HTTP/1.1 400 Bad Request", "HTTP/1.1 200 OK"}},
      {"a stalled connection first",
       {kStalled, good},
       RedirectWait::kAnswered,
       AuthorizationResponse::kCode,
       {"", "HTTP/1.1 200 OK"}},
      {"denied",
       {"GET /?error=access_denied&state=S HTTP/1.1\r\n\r\n"},
       RedirectWait::kAnswered,
       AuthorizationResponse::kDenied,
       {"HTTP/1.1 200 OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackListener listener;
    std::vector<std::string> statusLines;
    std::vector<int> stalled;
    std::thread browser([&] {
      for (const std::string& request : c.requests)
        statusLines.push_back(Browse(listener.Port(), request, stalled));
    });
    const RedirectWait wait =
        WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 30s);
    browser.join();
    for (int fd : stalled) ::close(fd);
    EXPECT_EQ(wait.outcome, c.outcome);
    EXPECT_EQ(wait.response.outcome, c.response);
    EXPECT_EQ(statusLines, c.statusLines);
  }
}

TEST(RedirectWait, EndsAtTheDeadlineOrTheCancel) {
  LoopbackListener listener;
  EXPECT_EQ(WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 30ms).outcome,
            RedirectWait::kTimedOut);

  // A browser that connects and never finishes its request holds the wait
  // no longer than the deadline.
  std::vector<int> stalled;
  Browse(listener.Port(), kStalled, stalled);
  EXPECT_EQ(WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 30ms).outcome,
            RedirectWait::kTimedOut);

  std::thread cancel([&] { listener.Interrupt(); });
  EXPECT_EQ(WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 60s).outcome,
            RedirectWait::kCancelled);
  cancel.join();
  for (int fd : stalled) ::close(fd);
}

}  // namespace
}  // namespace orvane
