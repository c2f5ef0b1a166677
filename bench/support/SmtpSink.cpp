#include "SmtpSink.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/ScriptedServer.h"
#include "support/TestCertificates.h"

namespace orvane::bench {

std::string MakeDeliveryMessage(std::size_t size) {
  std::string message =
      "From: me@example.com\r\nTo: you@example.com\r\nSubject: bench\r\n"
      "MIME-Version: 1.0\r\nContent-Type: application/octet-stream\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\n";
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string line;
  for (int i = 0; i < 76; ++i) line += alphabet[(i * 7) % 64];
  line += "\r\n";
  message.reserve(size);
  while (message.size() + line.size() <= size) message += line;
  message.append(size - message.size() - 2, 'A');
  message += "\r\n";
  return message;
}

test::StartedServer StartSmtpSink() {
  const int port = test::UnusedPort();
  std::vector<std::string> argv{"smtp-sink"};
  // As root it must be told whom to run as.
  if (::geteuid() == 0) argv.insert(argv.end(), {"-u", "postfix"});
  argv.insert(argv.end(), {"127.0.0.1:" + std::to_string(port), "64"});
  test::StartedServer sink{std::make_unique<test::ServerProcess>(argv), port};
  if (!test::WaitForPort(port, std::chrono::seconds(10))) {
    std::fprintf(stderr, "smtp-sink did not start on port %d\n", port);
    std::exit(1);
  }
  return sink;
}

double TimeCurlDelivery(int port, const std::string& messageFile, bool tls) {
  const std::string url = (tls ? "smtps://127.0.0.1:" : "smtp://127.0.0.1:") + std::to_string(port);
  std::vector<std::string> args{
      "curl",           "-sS",         "--fail",          url,  "--mail-from",
      "me@example.com", "--mail-rcpt", "you@example.com", "-T", messageFile};
  if (tls)
    args.insert(args.end(), {"--ssl-reqd", "--cacert", test::TestCertificates::Pem("ca").native()});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execvp("curl", argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "curl failed (status %d)\n", status);
    std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace orvane::bench
