#include "platform/MainThread.h"

#include <algorithm>

namespace orvane {

QueuedMainThread::QueuedMainThread() : owner_(std::this_thread::get_id()) {}

void QueuedMainThread::Invoke(const std::function<void()>& fn) {
  if (std::this_thread::get_id() == owner_) {
    fn();
    return;
  }
  std::mutex doneLock;
  std::condition_variable doneSignal;
  bool done = false;
  Post([&] {
    fn();
    std::lock_guard guard(doneLock);
    done = true;
    doneSignal.notify_one();
  });
  std::unique_lock wait(doneLock);
  doneSignal.wait(wait, [&] { return done; });
}

void QueuedMainThread::Post(std::function<void()> fn) {
  std::lock_guard guard(lock_);
  queue_.push_back(std::move(fn));
  changed_.notify_all();
}

void QueuedMainThread::PumpPending() {
  for (;;) {
    std::function<void()> fn;
    {
      std::lock_guard guard(lock_);
      if (queue_.empty()) return;
      fn = std::move(queue_.front());
      queue_.pop_front();
    }
    fn();
  }
}

bool QueuedMainThread::PumpUntil(const std::function<bool()>& until,
                                 std::chrono::milliseconds timeout) {
  // `until` may turn true without anything being queued (a worker sets a
  // flag), so the wait is cut into short slices.
  constexpr auto kSlice = std::chrono::milliseconds(2);
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    PumpPending();
    if (until()) return true;
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::unique_lock wait(lock_);
    changed_.wait_until(wait, std::min(deadline, now + kSlice), [&] { return !queue_.empty(); });
  }
}

}  // namespace orvane
