#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/LoopbackListener.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

int ConnectTo(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  return fd;
}

auto Soon(std::chrono::milliseconds wait) {
  return std::chrono::steady_clock::now() + wait;
}

TEST(LoopbackListener, TakesAConnectionOnLoopbackAndAnswersIt) {
  LoopbackListener listener;
  ASSERT_GT(listener.Port(), 0);
  int client = ConnectTo(listener.Port());
  ASSERT_EQ(::send(client, "GET / HTTP/1.1\r\n", 16, 0), 16);
  auto connection = listener.Accept(Soon(10s));
  ASSERT_TRUE(connection);
  char buffer[64];
  auto n = connection->Read(buffer, sizeof buffer, Soon(10s));
  ASSERT_TRUE(n);
  EXPECT_EQ(std::string(buffer, *n), "GET / HTTP/1.1\r\n");
  connection->WriteAll("HTTP/1.1 200 OK\r\n", 1s);
  connection.reset();
  std::string answer;
  for (ssize_t got; (got = ::recv(client, buffer, sizeof buffer, 0)) > 0;)
    answer.append(buffer, static_cast<size_t>(got));
  EXPECT_EQ(answer, "HTTP/1.1 200 OK\r\n");
  ::close(client);
}

TEST(LoopbackListener, WaitsEndAtTheDeadlineOrTheInterrupt) {
  LoopbackListener listener;
  EXPECT_EQ(listener.Accept(Soon(20ms)), nullptr);
  EXPECT_FALSE(listener.Interrupted());

  int client = ConnectTo(listener.Port());
  auto connection = listener.Accept(Soon(10s));
  ASSERT_TRUE(connection);
  char buffer[8];
  EXPECT_EQ(connection->Read(buffer, sizeof buffer, Soon(20ms)), std::nullopt);

  // From another thread, as the user's cancel comes: both waits end.
  std::thread cancel([&] { listener.Interrupt(); });
  EXPECT_EQ(connection->Read(buffer, sizeof buffer, Soon(60s)), std::nullopt);
  EXPECT_EQ(listener.Accept(Soon(60s)), nullptr);
  EXPECT_TRUE(listener.Interrupted());
  cancel.join();
  ::close(client);
}

TEST(LoopbackListener, PeerClosingReadsAsZero) {
  LoopbackListener listener;
  int client = ConnectTo(listener.Port());
  auto connection = listener.Accept(Soon(10s));
  ASSERT_TRUE(connection);
  ::close(client);
  char buffer[8];
  EXPECT_EQ(connection->Read(buffer, sizeof buffer, Soon(10s)), 0u);
}

}  // namespace
}  // namespace orvane
