// Delivers one 70 MB message over loopback to Postfix's smtp-sink, with
// curl and with our SMTP client, and prints the times and their ratio:
//   (a) the client with its events handled inline on the worker,
//   (b) the client handing every event synchronously to a waiting main
//       thread, as the program does;
//   (c) the client over TLS from the first byte, to a TLS endpoint in
//       front of the same smtp-sink (tests/servers/tls-proxy.js), against
//       curl with --ssl-reqd to the same endpoint; both check the test
//       CA's certificate;
// and the cost of one such hand-over on its own.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "SmtpSink.h"
#include "platform/MainThread.h"
#include "support/ServerProcess.h"
#include "support/TestCertificates.h"
#include "transport/TCPThread.h"
#include "transport/ZelSmtp.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 3;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One delivery by TZelSmtp; `pump` runs on this thread until it is done.
double TimeClient(MainThread& main, int port, TSecurity security, const std::string& message,
                  const std::vector<AnsiString>& recipients,
                  const std::function<void(const std::function<bool()>&)>& pump,
                  std::int64_t* progressEvents) {
  TZelSmtp smtp(main);
  smtp.SetHost("127.0.0.1");
  smtp.SetPort(port);
  smtp.SetSecurity(security);
  smtp.SetPause(0);
  smtp.SetMailFrom("me@example.com");
  smtp.SetRecipients(&recipients);
  smtp.SetMessage(message);
  std::mutex lock;
  std::condition_variable closed;
  bool done = false, success = false;
  std::int64_t events = 0, position = 0;
  smtp.OnProgress = [&](TSmtpItem&, std::int64_t, std::int64_t sended) {
    position = sended;
    ++events;
  };
  smtp.OnSmtpClosed = [&](TSmtpItem&, bool ok) {
    std::lock_guard guard(lock);
    success = ok;
    done = true;
    closed.notify_all();
  };
  auto start = Clock::now();
  smtp.Send();
  pump([&] {
    std::lock_guard guard(lock);
    return done;
  });
  double seconds = Seconds(Clock::now() - start);
  if (!success || position < static_cast<std::int64_t>(message.size())) {
    std::fprintf(stderr, "delivery failed\n");
    std::exit(1);
  }
  *progressEvents = events;
  pump([] { return TTCPThread::LiveWorkers() == 0; });
  return seconds;
}

double Best(std::vector<double> times) {
  return *std::min_element(times.begin(), times.end());
}

// The cost of one synchronous hand-over from a worker to a waiting main thread.
double HandOverMicroseconds(QueuedMainThread& main) {
  constexpr int kCalls = 100000;
  std::atomic<bool> finished{false};
  int counter = 0;
  auto start = Clock::now();
  std::thread worker([&] {
    for (int i = 0; i < kCalls; ++i) main.Invoke([&] { ++counter; });
    finished = true;
  });
  main.PumpUntil([&] { return finished.load(); }, std::chrono::minutes(5));
  worker.join();
  return Seconds(Clock::now() - start) / kCalls * 1e6;
}

int Run() {
  const test::StartedServer sink = bench::StartSmtpSink();
  const int port = sink.port;

  std::string message = bench::MakeDeliveryMessage();
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("orvane-bench-" + std::to_string(::getpid()) + ".eml");
  std::ofstream(file, std::ios::binary).write(message.data(), std::streamsize(message.size()));
  std::vector<AnsiString> recipients{"you@example.com"};

  // The TLS endpoint, with the test CA's server certificate.
  test::TrustTestCa trust;
  test::ServerProcess proxy({"node", ORVANE_SOURCE_DIR "/tests/servers/tls-proxy.js", "--cert",
                             test::TestCertificates::Pem("server").native(), "--key",
                             test::TestCertificates::Key("server").native(), "--target",
                             std::to_string(port)});
  int tlsPort = test::AnnouncedPort(proxy);
  if (tlsPort == 0) {
    std::fprintf(stderr, "the TLS endpoint did not start\n");
    return 1;
  }

  std::vector<double> curl, inlined, handedOver, curlTls, tls;
  std::int64_t events = 0;
  InlineMainThread inlineMain;
  QueuedMainThread queuedMain;
  auto wait = [](const std::function<bool()>& until) {
    while (!until()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  auto pump = [&](const std::function<bool()>& until) {
    queuedMain.PumpUntil(until, std::chrono::minutes(5));
  };
  for (int run = 0; run < kRuns; ++run) {
    curl.push_back(bench::TimeCurlDelivery(port, file.native()));
    inlined.push_back(TimeClient(inlineMain, port, scNone, message, recipients, wait, &events));
    handedOver.push_back(TimeClient(queuedMain, port, scNone, message, recipients, pump, &events));
    curlTls.push_back(bench::TimeCurlDelivery(tlsPort, file.native(), true));
    tls.push_back(TimeClient(queuedMain, tlsPort, scTls, message, recipients, pump, &events));
  }
  std::filesystem::remove(file);
  double handOver = HandOverMicroseconds(queuedMain);

  double mb = message.size() / 1e6;
  double c = Best(curl), a = Best(inlined), b = Best(handedOver);
  std::printf("SMTP delivery of %.0f MB to smtp-sink over loopback, best of %d runs\n", mb, kRuns);
  std::printf("  curl                          %7.3f s  %7.1f MB/s\n", c, mb / c);
  std::printf("  (a) events inline             %7.3f s  %7.1f MB/s  %.2fx curl  (goal <= 1.10x)\n",
              a, mb / a, a / c);
  std::printf(
      "  (b) events to the main thread %7.3f s  %7.1f MB/s  %.2fx curl  (goal >= 20 MB/s)\n", b,
      mb / b, b / c);
  double ct = Best(curlTls), t = Best(tls);
  std::printf("  curl --ssl-reqd (TLS)         %7.3f s  %7.1f MB/s\n", ct, mb / ct);
  std::printf("  (c) TLS, events to the main   %7.3f s  %7.1f MB/s  %.2fx curl  (goal <= 1.20x)\n",
              t, mb / t, t / ct);
  std::printf("  progress events per delivery  %lld\n", static_cast<long long>(events));
  std::printf("  one hand-over to a waiting main thread: %.2f us\n", handOver);
  return 0;
}

}  // namespace
}  // namespace orvane

int main() {
  return orvane::Run();
}
