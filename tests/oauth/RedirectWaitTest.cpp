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

// One connection of a browser: sends `request` (nothing when empty), then
// reads the answer to its end and gives its status line.
std::string Browse(int port, const std::string& request) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
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
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, size_t(n));
  ::close(fd);
  return answer.substr(0, answer.find("\r\n"));
}

TEST(RedirectWait, FirstRequestForTheRedirectUriEndsTheWait) {
  const std::string good = "GET /?code=c1&state=S HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  struct Case {
    const char* name;
    std::vector<std::string> requests;  // "" : a connection closed without a request
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
      {"another state",
       {"GET /?code=c1&state=T HTTP/1.1\r\n\r\n"},
       RedirectWait::kAnswered,
       AuthorizationResponse::kStateMismatch,
       {"HTTP/1.1 400 Bad Request"}},
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
    std::thread browser([&] {
      for (const std::string& request : c.requests)
        statusLines.push_back(Browse(listener.Port(), request));
    });
    const RedirectWait wait =
        WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 30s);
    browser.join();
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
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(listener.Port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::send(fd, "GET /?code=", 11, MSG_NOSIGNAL);
  EXPECT_EQ(WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 30ms).outcome,
            RedirectWait::kTimedOut);

  std::thread cancel([&] { listener.Interrupt(); });
  EXPECT_EQ(WaitForRedirect(listener, "S", std::chrono::steady_clock::now() + 60s).outcome,
            RedirectWait::kCancelled);
  cancel.join();
  ::close(fd);
}

}  // namespace
}  // namespace orvane
