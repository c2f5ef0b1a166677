#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

#include "app/SendSequence.h"
#include "platform/Error.h"

namespace orvane::test {

// Runs a send attempt as a sender without a window does: its events come to
// a queue that this thread pumps, and it is recorded in the sent log, with
// no log window's place, as soon as it has ended. Keeps what it was given
// to show; with run false it starts no attempt.
class UnattendedWindow final : public SendWindow {
 public:
  explicit UnattendedWindow(bool run = true) : run_(run) {}
  ~UnattendedWindow() override { WaitForSendWorkers(main); }

  MainThread& EventThread() override { return main; }
  void ShowError(const WideString& text) override { errors.push_back(text); }
  void ShowAttempt(TSendForm& attempt) override {
    jobs.push_back(attempt.Job());
    if (!run_) return;
    try {
      attempt.Show();
      EXPECT_TRUE(main.PumpUntil([&] { return attempt.State() != SendState::Sending; },
                                 std::chrono::seconds(60)));
      attempt.Close(std::nullopt);
    } catch (const Error& e) {
      errors.push_back(e.Message());
    }
  }

  QueuedMainThread main;
  std::vector<WideString> errors;
  std::vector<SendJob> jobs;

 private:
  bool run_;
};

}  // namespace orvane::test
