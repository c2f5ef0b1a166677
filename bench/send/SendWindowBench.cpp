// Delivers one 70 MB message over loopback to Postfix's smtp-sink through
// the send window on the offscreen platform, as the Send command does: the
// Qt main thread takes every event of the client synchronously, one
// progress event per 1 KiB chunk, the progress bar follows and the log
// window is open. curl delivers the same message in the same run. Prints
// the rate of each and the longest time the user-interface thread went
// without processing its events during our deliveries.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageLogContext>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "SmtpSink.h"
#include "Support.h"
#include "app/SendUnit.h"
#include "app/forms/SendFormView.h"
#include "gui/Application.h"
#include "gui/QtMainThread.h"
#include "transport/TCPThread.h"

namespace orvane::bench {
namespace {

constexpr int kRuns = 3;
constexpr double kGoalMegabytesPerSecond = 50;
constexpr double kGoalGapMilliseconds = 100;

struct Delivery {
  double seconds = 0;
  double longestGapMs = 0;
  long long progressEvents = 0;
};

// One delivery through a new send window, timed from showing it until the
// delivery's end; a precise 1 ms timer on the user-interface thread tells
// the longest gap between two turns of its event loop.
Delivery DeliverThroughTheSendWindow(const IniFileUnit& settings, MainThread& mainThread,
                                     const std::string& message) {
  // No closing pause: the next run need not wait for the last worker.
  SendClients clients(0);
  SystemClock clock;
  TAccessTokens tokens{clock};  // the account signs in with a password
  TSendForm attempt(
      SendServices{settings, clock, mainThread, clients, tokens},
      SendJob{"bench", std::make_shared<const AnsiString>(message), {"you@example.com"}, {}});
  TSendFormView window(attempt, settings);
  Delivery result;
  QEventLoop loop;
  QElapsedTimer watch;
  bool success = false;
  attempt.OnDelivered = [&](bool ok) {
    result.seconds = watch.nsecsElapsed() / 1e9;
    success = ok;
    loop.quit();
  };
  QTimer gaps;
  gaps.setTimerType(Qt::PreciseTimer);
  gaps.setInterval(1);
  qint64 last = 0;
  QObject::connect(&gaps, &QTimer::timeout, [&] {
    const qint64 now = watch.nsecsElapsed();
    result.longestGapMs = std::max(result.longestGapMs, (now - last) / 1e6);
    last = now;
  });
  // Counted beside the window's own handler, which stays bound.
  auto render = attempt.OnProgress;
  attempt.OnProgress = [&] {
    ++result.progressEvents;
    render();
  };
  watch.start();
  gaps.start();
  window.show();
  loop.exec();
  gaps.stop();
  Require(success && attempt.ProgressPosition() >= static_cast<long long>(message.size()),
          "the delivery through the send window failed");
  window.hide();
  while (TTCPThread::LiveWorkers() > 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return result;
}

// The offscreen platform says so whenever a window asks to be raised or
// sized by the window system; neither matters here.
QtMessageHandler defaultHandler = nullptr;
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support"))) return;
  defaultHandler(type, context, text);
}

int Run(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  defaultHandler = qInstallMessageHandler(QuietPlatform);
  TOrvaneApplication application(argc, argv);
  const test::StartedServer sink = StartSmtpSink();
  const std::string message = MakeDeliveryMessage();
  TempFolder home;
  WriteFile(home / "message.eml", message);
  WriteFile(home / "bench.ini",
            "[Account]\r\nAddress=me@example.com\r\nSMTP=127.0.0.1\r\nSMTPPORT=" +
                std::to_string(sink.port) + "\r\n");
  const IniFileUnit settings(home.Path());
  QtMainThread mainThread;

  std::vector<double> curl, ours;
  Delivery worst;
  for (int run = 0; run < kRuns; ++run) {
    curl.push_back(TimeCurlDelivery(sink.port, (home / "message.eml").native()));
    const Delivery d = DeliverThroughTheSendWindow(settings, mainThread, message);
    ours.push_back(d.seconds);
    worst.longestGapMs = std::max(worst.longestGapMs, d.longestGapMs);
    worst.progressEvents = d.progressEvents;
  }

  const double mb = message.size() / 1e6;
  const double c = *std::min_element(curl.begin(), curl.end());
  const double o = *std::min_element(ours.begin(), ours.end());
  const bool rateMet = mb / o >= kGoalMegabytesPerSecond;
  const bool gapMet = worst.longestGapMs <= kGoalGapMilliseconds;
  std::printf("SMTP delivery of %.0f MB to smtp-sink over loopback, best of %d runs\n", mb, kRuns);
  std::printf("  curl                          %7.3f s  %7.1f MB/s\n", c, mb / c);
  std::printf(
      "  the send window (offscreen)   %7.3f s  %7.1f MB/s  %.2fx curl's time  "
      "(goal >= %.0f MB/s: %s)\n",
      o, mb / o, o / c, kGoalMegabytesPerSecond, rateMet ? "met" : "NOT MET");
  std::printf("  progress events per delivery  %lld, each handed to the user-interface thread\n",
              worst.progressEvents);
  std::printf("  longest time without processing events: %.1f ms  (goal <= %.0f ms: %s)\n",
              worst.longestGapMs, kGoalGapMilliseconds, gapMet ? "met" : "NOT MET");
  return 0;
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
  return orvane::bench::Run(argc, argv);
}
