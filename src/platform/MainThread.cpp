#include "platform/MainThread.h"

#include <algorithm>
#include <atomic>

namespace orvane {
namespace {

// Polls a condition for a few tens of microseconds.
template <typename Condition>
bool SpinUntil(Condition condition) {
  auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
  do {
    if (condition()) return true;
    std::this_thread::yield();
  } while (std::chrono::steady_clock::now() < until);
  return false;
}

}  // namespace

bool InlineMainThread::PumpUntil(const std::function<bool()>& until,
                                 std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!until()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

QueuedMainThread::QueuedMainThread() : owner_(std::this_thread::get_id()) {}

void QueuedMainThread::Invoke(const std::function<void()>& fn) {
  if (std::this_thread::get_id() == owner_) {
    fn();
    return;
  }
  std::mutex doneLock;
  std::condition_variable doneSignal;
  std::atomic<bool> done{false};
  Post([&] {
    // The worker is released also when fn throws; the exception goes on to
    // whoever pumps, as an exception in an event handler would.
    struct Release {
      std::mutex& lock;
      std::condition_variable& signal;
      std::atomic<bool>& done;
      ~Release() {
        std::lock_guard guard(lock);
        done = true;
        signal.notify_one();
      }
    } release{doneLock, doneSignal, done};
    fn();
  });
  // A handler usually runs within microseconds: a short spin saves the two
  // thread wake-ups that blocking at once would cost.
  if (SpinUntil([&] { return done.load(std::memory_order_acquire); })) {
    std::lock_guard guard(doneLock);  // the releaser may still hold it
    return;
  }
  std::unique_lock wait(doneLock);
  doneSignal.wait(wait, [&] { return done.load(); });
}

void QueuedMainThread::Post(std::function<void()> fn) {
  std::lock_guard guard(lock_);
  queue_.push_back(std::move(fn));
  queued_.store(queue_.size(), std::memory_order_release);
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
      queued_.store(queue_.size(), std::memory_order_release);
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
    if (SpinUntil([&] { return queued_.load(std::memory_order_acquire) > 0; })) continue;
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::unique_lock wait(lock_);
    changed_.wait_until(wait, std::min(deadline, now + kSlice), [&] { return !queue_.empty(); });
  }
}

}  // namespace orvane
