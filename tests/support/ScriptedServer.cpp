#include "support/ScriptedServer.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace orvane::test {
namespace {

// Every wait of a script is bounded, so a client that hangs fails its test
// instead of blocking the suite.
constexpr int kReadLimitMs = 20000;

int ListenOnLoopback(int* port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 4) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    ::close(fd);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  *port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

Peer::Peer(int fd, std::string& received, std::mutex& lock)
    : fd_(fd), received_(received), lock_(lock) {}

Peer::~Peer() {
  if (fd_ >= 0) ::close(fd_);
}

void Peer::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("server write failed");
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void Peer::SendByteByByte(std::string_view bytes) {
  int one = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  for (char c : bytes) {
    Send(std::string_view(&c, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

std::string Peer::ReadUntil(const std::function<bool(std::string_view)>& done) {
  char buffer[4096];
  for (;;) {
    if (done(pending_)) {
      std::string taken = std::move(pending_);
      pending_.clear();
      return taken;
    }
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, kReadLimitMs) <= 0) throw std::runtime_error("client sent nothing in time");
    ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      std::string taken = std::move(pending_);
      pending_.clear();
      return taken;
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
    std::lock_guard guard(lock_);
    received_.append(buffer, static_cast<std::size_t>(n));
  }
}

std::string Peer::ReadLine() {
  std::string line = ReadUntil([](std::string_view s) { return s.find("\r\n") != s.npos; });
  // Anything after the line belongs to the next read.
  if (std::size_t end = line.find("\r\n"); end != line.npos) {
    pending_ = line.substr(end + 2);
    line.resize(end + 2);
  }
  return line;
}

std::string Peer::Exchange(std::string_view reply) {
  std::string line = ReadLine();
  Send(reply);
  return line;
}

std::string Peer::ReadData() {
  std::string data = ReadUntil([](std::string_view s) { return s.find("\r\n.\r\n") != s.npos; });
  if (std::size_t end = data.find("\r\n.\r\n"); end != data.npos) {
    pending_ = data.substr(end + 5);
    data.resize(end + 5);
  }
  return data;
}

bool Peer::WaitForClose(std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) return true;
    std::lock_guard guard(lock_);
    received_.append(buffer, static_cast<std::size_t>(n));
  }
  return false;
}

void Peer::Reset() {
  linger abort{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  ::close(fd_);
  fd_ = -1;
}

ScriptedServer::ScriptedServer(Script script) : ScriptedServer(std::vector<Script>{std::move(script)}) {}

ScriptedServer::ScriptedServer(std::vector<Script> scripts) {
  listener_ = ListenOnLoopback(&port_);
  thread_ = std::thread([this, scripts = std::move(scripts)] {
    try {
      for (const Script& script : scripts) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, kReadLimitMs) <= 0) throw std::runtime_error("no client connected");
        int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) throw std::runtime_error("accept failed");
        Peer peer(fd, received_, lock_);
        script(peer);
      }
    } catch (const std::exception& e) {
      std::lock_guard guard(lock_);
      failure_ = e.what();
    }
  });
}

ScriptedServer::~ScriptedServer() {
  Join();
  ::close(listener_);
}

void ScriptedServer::Join() {
  if (thread_.joinable()) thread_.join();
}

std::string ScriptedServer::Received() const {
  std::lock_guard guard(lock_);
  return received_;
}

std::string ScriptedServer::Failure() const {
  std::lock_guard guard(lock_);
  return failure_;
}

int UnusedPort() {
  int port;
  int fd = ListenOnLoopback(&port);
  ::close(fd);
  return port;
}

}  // namespace orvane::test
