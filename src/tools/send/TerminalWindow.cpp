#include "tools/send/TerminalWindow.h"

#include <unistd.h>

#include <cstdio>

#include "app/SendSequence.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

constexpr std::size_t kProgressFrom = 1'000'000;
constexpr auto kProgressEvery = std::chrono::milliseconds(200);
// The clients end their own waits; this only keeps a lost event from
// holding the process for ever.
constexpr auto kLongestAttempt = std::chrono::hours(24);

}  // namespace

TerminalWindow::TerminalWindow(const Options& options) : options_(options) {}

TerminalWindow::~TerminalWindow() {
  WaitForSendWorkers(main_);
}

void TerminalWindow::ShowAttempt(TSendForm& attempt) {
  if (options_.verbose)
    attempt.OnLogLine = [](const WideString& line) {
      std::printf("%s\n", WideToUtf8(line).c_str());
    };
  const SendJob& job = attempt.Job();
  if (::isatty(STDERR_FILENO) && (job.rest || job.message->size() > kProgressFrom))
    attempt.OnProgress = [this, &attempt] { ShowProgress(attempt); };
  try {
    attempt.Show();
  } catch (const Error&) {
    return;  // the outcome says why it could not start
  }
  main_.PumpUntil([&] { return attempt.State() != SendState::Sending; }, kLongestAttempt);
  if (progress_) std::fputc('\n', stderr);
  std::fflush(stdout);
  if (!options_.record) return;
  try {
    attempt.Close(std::nullopt);
  } catch (const Error&) {
    // The outcome carries it as SentLog.
  }
}

void TerminalWindow::ShowProgress(const TSendForm& attempt) {
  const auto now = std::chrono::steady_clock::now();
  // A message read as it goes out has no size to count against.
  const double max = static_cast<double>(attempt.ProgressMax());
  const double position = static_cast<double>(attempt.ProgressPosition());
  const bool done = max > 0 && position >= max;
  if (!done && now - lastProgress_ < kProgressEvery) return;
  lastProgress_ = now;
  progress_ = true;
  const char* sending = options_.english ? "sending..." : "送信中...";
  if (max > 0)
    std::fprintf(stderr, "\r%s %3.0f%% (%.1f / %.1f MB)", sending, 100 * position / max,
                 position / 1e6, max / 1e6);
  else
    std::fprintf(stderr, "\r%s %.1f MB", sending, position / 1e6);
}

}  // namespace orvane
