#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace orvane {

// The user-interface thread, as seen by a worker thread.
class MainThread {
 public:
  virtual ~MainThread() = default;
  // Runs fn on the user-interface thread and returns when it has run. Called
  // on the user-interface thread itself, it runs fn at once.
  virtual void Invoke(const std::function<void()>& fn) = 0;
  // Queues fn to run on the user-interface thread later and returns at once.
  virtual void Post(std::function<void()> fn) = 0;
  // On the user-interface thread: runs what is handed to it until `until`
  // holds or the time-out passes; returns whether `until` held.
  virtual bool PumpUntil(const std::function<bool()>& until, std::chrono::milliseconds timeout) = 0;
};

// Runs everything at once on the calling thread: for code that has no
// user-interface thread to hand over to.
class InlineMainThread final : public MainThread {
 public:
  void Invoke(const std::function<void()>& fn) override { fn(); }
  void Post(std::function<void()> fn) override { fn(); }
  // Nothing is ever queued: waits for `until` alone.
  bool PumpUntil(const std::function<bool()>& until, std::chrono::milliseconds timeout) override;
};

// A user-interface thread made of a queue that its owner pumps: the thread
// that creates it is the user-interface thread.
class QueuedMainThread final : public MainThread {
 public:
  QueuedMainThread();
  void Invoke(const std::function<void()>& fn) override;
  void Post(std::function<void()> fn) override;

  // Runs queued work until the queue is empty and `until` holds, or the
  // time-out passes; returns whether `until` held.
  bool PumpUntil(const std::function<bool()>& until, std::chrono::milliseconds timeout) override;
  // Runs what is queued now.
  void PumpPending();

 private:
  std::thread::id owner_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> queue_;
  std::atomic<size_t> queued_{0};  // queue_.size(), readable without the lock
};

}  // namespace orvane
