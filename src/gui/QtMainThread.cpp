#include "gui/QtMainThread.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <thread>

namespace orvane {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How long the user-interface thread waits for a worker's next call, and
// how long it runs calls before it lets its event loop turn.
constexpr auto kLinger = std::chrono::microseconds(40);
constexpr auto kTurn = std::chrono::milliseconds(5);

}  // namespace

// One waiting Invoke: its function, and the flag its worker sleeps on.
struct QtMainThread::Call {
  explicit Call(const std::function<void()>& f) : fn(f) {}
  const std::function<void()>& fn;
  std::atomic<bool> done{false};
};

void QtMainThread::Invoke(const std::function<void()>& fn) {
  if (QThread::currentThread() == context_.thread()) {
    fn();
    return;
  }
  auto call = std::make_shared<Call>(fn);
  bool wake = false;
  {
    std::lock_guard guard(lock_);
    calls_.push_back(call);
    wake = !std::exchange(draining_, true);
  }
  if (wake)
    QMetaObject::invokeMethod(
        &context_, [this] { Drain(); }, Qt::QueuedConnection);
  // A call the user-interface thread is lingering for comes back within
  // microseconds: sleeping and being woken for it costs more.
  const auto until = SteadyClock::now() + kLinger;
  while (!call->done.load(std::memory_order_acquire) && SteadyClock::now() < until)
    std::this_thread::yield();
  call->done.wait(false, std::memory_order_acquire);
}

void QtMainThread::Post(std::function<void()> fn) {
  QMetaObject::invokeMethod(&context_, std::move(fn), Qt::QueuedConnection);
}

bool QtMainThread::PumpUntil(const std::function<bool()>& until,
                             std::chrono::milliseconds timeout) {
  const auto deadline = SteadyClock::now() + timeout;
  while (!until()) {
    if (SteadyClock::now() >= deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

std::shared_ptr<QtMainThread::Call> QtMainThread::NextCall() {
  const auto until = SteadyClock::now() + kLinger;
  for (;;) {
    {
      std::lock_guard guard(lock_);
      if (!calls_.empty()) {
        std::shared_ptr<Call> call = std::move(calls_.front());
        calls_.pop_front();
        return call;
      }
      if (SteadyClock::now() >= until) {
        draining_ = false;
        return nullptr;
      }
    }
    std::this_thread::yield();
  }
}

void QtMainThread::EndTurn() {
  std::lock_guard guard(lock_);
  if (calls_.empty())
    draining_ = false;
  else
    QMetaObject::invokeMethod(
        &context_, [this] { Drain(); }, Qt::QueuedConnection);
}

void QtMainThread::Drain() {
  const auto turnEnds = SteadyClock::now() + kTurn;
  while (std::shared_ptr<Call> call = NextCall()) {
    try {
      // The worker goes on also when the call throws.
      struct Release {
        Call& call;
        ~Release() {
          call.done.store(true, std::memory_order_release);
          call.done.notify_one();
        }
      } release{*call};
      call->fn();
    } catch (...) {
      // On to the application's error handler; the calls still waiting
      // get a turn of their own.
      EndTurn();
      throw;
    }
    // The event loop's turn: paint, timers, input; Drain comes again after
    // them while calls are waiting.
    if (SteadyClock::now() >= turnEnds) return EndTurn();
  }
}

}  // namespace orvane
