// orvane-send delivering a 70 MB message from standard input (a pipe) to
// Postfix's smtp-sink against curl --upload-file of the same file, plain and
// over TLS (tests/servers/tls-proxy.js in front of the sink, the test CA
// trusted by both); its peak memory against the message's size; and the
// start-up of orvane-send --version.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "Report.h"
#include "SmtpSink.h"
#include "Support.h"
#include "support/ServerProcess.h"
#include "support/TestCertificates.h"

extern char** environ;

namespace orvane::bench {
namespace {

struct Run {
  double seconds = 0;
  long long peakBytes = 0;
};

// Runs /bin/sh -c command with standard output to /dev/null (spawned, so
// that the 70 MB this process holds is not forked); ends the benchmark when
// it fails.
Run RunShell(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  Require(::posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ) == 0,
          "sh did not start");
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  Require(WIFEXITED(status) && WEXITSTATUS(status) == 0, command.c_str());
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          usage.ru_maxrss * 1024LL};
}

void WriteAccount(const std::filesystem::path& home, const char* name, int port, int security) {
  WriteFile(home / (std::string(name) + ".ini"),
            "[Account]\r\nName=Bench\r\nAddress=me@example.com\r\nSMTP=127.0.0.1\r\nSMTPPORT=" +
                std::to_string(port) + "\r\nSecurity=" + std::to_string(security) + "\r\n");
}

int Main() {
  const test::StartedServer sink = StartSmtpSink();
  test::TrustTestCa trust;
  test::ServerProcess proxy({"node", ORVANE_SOURCE_DIR "/tests/servers/tls-proxy.js", "--cert",
                             test::TestCertificates::Pem("server").native(), "--key",
                             test::TestCertificates::Key("server").native(), "--target",
                             std::to_string(sink.port)});
  const int tlsPort = test::AnnouncedPort(proxy);
  Require(tlsPort != 0, "the TLS endpoint did not start");

  TempFolder home;
  ::setenv("ORVANE_HOME", home.Path().c_str(), 1);
  const std::filesystem::path file = home / "message.eml";
  // Made by a child: the peak resident set of a process spawned from this
  // one counts what this one ever held.
  if (const pid_t maker = ::fork(); maker == 0) {
    WriteFile(file, MakeDeliveryMessage());
    ::_exit(0);
  } else {
    ::waitpid(maker, nullptr, 0);
  }
  const auto size = static_cast<long long>(std::filesystem::file_size(file));
  WriteFile(home / "orvane.ini", "");
  WriteAccount(home.Path(), "plain", sink.port, 0);
  WriteAccount(home.Path(), "tls", tlsPort, 2);

  const std::string send = ORVANE_SEND_PROGRAM;
  auto through = [&](const char* account) {
    return "cat " + file.native() + " | " + send + " -i --no-checks --no-log --account " + account +
           " you@example.com";
  };
  long long peak = 0;
  auto ours = [&](const char* account) {
    return [&, account] { peak = std::max(peak, RunShell(through(account)).peakBytes); };
  };
  const std::vector<double> plain =
      MedianSecondsEach({ours("plain"), [&] { TimeCurlDelivery(sink.port, file.native()); }});
  const std::vector<double> tls =
      MedianSecondsEach({ours("tls"), [&] { TimeCurlDelivery(tlsPort, file.native(), true); }});
  const double startUp = MedianSeconds([&] { RunShell("exec " + send + " --version"); }, 21);

  Report report;
  report.AddTimeWithin("70 MB from a pipe to smtp-sink", plain[0], "curl --upload-file", plain[1],
                       1.1);
  report.AddTimeWithin("the same over TLS", tls[0], "curl --ssl-reqd", tls[1], 1.2);
  report.AddMemory("orvane-send's peak resident set", peak, size, 2 * size);
  report.AddNote("start-up of orvane-send --version (sh -c exec): " +
                 std::to_string(startUp * 1000).substr(0, 5) + " ms, goal under 20 ms");
  report.Print();
  return 0;
}

}  // namespace
}  // namespace orvane::bench

int main() {
  return orvane::bench::Main();
}
