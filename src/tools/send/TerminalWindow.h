#pragma once

#include <chrono>

#include "app/SendWindow.h"
#include "platform/MainThread.h"

namespace orvane {

// The send window of a process without one: the clients' events come to a
// queue this thread pumps. With verbose the communication log goes to
// standard output; on a terminal a message over 1 MB shows its progress on
// one line of standard error; with record the attempt goes into the sent
// log as soon as it has ended.
class TerminalWindow final : public SendWindow {
 public:
  struct Options {
    bool verbose = false;
    bool record = true;
    bool english = false;
  };
  explicit TerminalWindow(const Options& options);
  // The clients' workers hand over to this thread once more as they end.
  ~TerminalWindow() override;

  MainThread& EventThread() override { return main_; }
  // The program's closing line tells the outcome, reason included.
  void ShowError(const WideString&) override {}
  void ShowAttempt(TSendForm& attempt) override;

 private:
  void ShowProgress(const TSendForm& attempt);

  Options options_;
  QueuedMainThread main_;
  bool progress_ = false;  // a progress line is shown
  std::chrono::steady_clock::time_point lastProgress_{};
};

}  // namespace orvane
