// The outbox: (a) 1,000 waiting messages of 20 KB flushed by `orvane-send
// -q` to Postfix's smtp-sink on loopback, in messages a second (goal: at
// least 300); (b) one 10 MB message queued, against `cp` of the same file
// followed by `sync` (goal: at most 1.5 times as long).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Report.h"
#include "SmtpSink.h"
#include "Support.h"
#include "outbox/Outbox.h"
#include "platform/Clock.h"

namespace orvane {
namespace {

constexpr int kMessages = 1000;

void WriteAccount(const bench::TempFolder& home, int port) {
  bench::WriteFile(home / "orvane.ini", "");
  bench::WriteFile(home / "bench.ini",
                   "[Account]\r\nName=Bench\r\nAddress=bench@example.jp\r\nSMTP=127.0.0.1\r\n"
                   "SMTPPORT=" + std::to_string(port) + "\r\n");
}

void Fill(const Outbox& outbox, const std::string& message) {
  const SystemClock clock;
  for (int i = 0; i < kMessages; ++i)
    outbox.Add({"bench", "", {"to" + std::to_string(i) + "@example.jp"}, message}, clock);
}

int Run() {
  const test::StartedServer sink = bench::StartSmtpSink();
  bench::TempFolder home;
  WriteAccount(home, sink.port);
  const Outbox outbox(home / "Outbox");
  const std::string message = bench::MakeDeliveryMessage(20'000);
  const std::string flush = "ORVANE_HOME='" + home.Path().string() +
                            "' '" ORVANE_SEND_PROGRAM "' -q --no-log --no-checks";
  double flushSeconds = 0;
  for (int run = 0; run < 3; ++run) {
    Fill(outbox, message);
    const double seconds = bench::MedianSeconds(
        [&] { bench::Require(std::system(flush.c_str()) == 0, "orvane-send -q"); }, 1);
    bench::Require(outbox.Count() == 0, "every message sent");
    if (run == 0 || seconds < flushSeconds) flushSeconds = seconds;
  }
  const double perSecond = kMessages / flushSeconds;

  const std::string large = bench::MakeDeliveryMessage(10'000'000);
  bench::WriteFile(home / "large.eml", large);
  const std::string copy = "cp '" + (home / "large.eml").string() + "' '" +
                           (home / "copy.eml").string() + "' && sync";
  const SystemClock clock;
  const std::vector<double> queueing = bench::MedianSecondsEach(
      {[&] {
         const OutboxRecord record = outbox.Add({"bench", "", {"a@example.jp"}, large}, clock);
         outbox.Remove(record.id);
       },
       [&] { bench::Require(std::system(copy.c_str()) == 0, "cp and sync"); }});

  bench::Report report;
  report.AddNote("orvane-send -q: " + std::to_string(kMessages) + " messages of 20 KB to smtp-sink, " +
                 std::to_string(static_cast<int>(perSecond)) + " a second (goal at least 300; best of 3)");
  report.AddTimeWithin("queue one 10 MB message (written, fsync of file and folder)", queueing[0],
                       "cp + sync", queueing[1], 1.5);
  report.Print();
  std::printf("%s\n", perSecond >= 300 ? "flush rate: ok" : "flush rate: OVER (below 300 a second)");
  return 0;
}

}  // namespace
}  // namespace orvane

int main() {
  return orvane::Run();
}
