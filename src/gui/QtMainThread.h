#pragma once

#include <QObject>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/MainThread.h"

namespace orvane {

// The user-interface thread of the Qt application, as the clients' workers
// see it: Invoke runs a function in its event loop while the worker waits,
// Post queues one there. Made on the user-interface thread; it must outlive
// every worker that hands over to it.
//
// A delivery hands over one event per kilobyte written, tens of thousands
// in a row. Woken for one, the user-interface thread runs what has come and
// waits a few microseconds for the next before it goes back to its event
// loop, at the latest after a few milliseconds: a worker's next event then
// finds it awake instead of waking it again.
class QtMainThread final : public MainThread {
 public:
  void Invoke(const std::function<void()>& fn) override;
  void Post(std::function<void()> fn) override;
  // Turns the event loop, so that the windows stay responsive meanwhile.
  bool PumpUntil(const std::function<bool()>& until, std::chrono::milliseconds timeout) override;

 private:
  struct Call;
  // Runs the waiting calls on the user-interface thread (see above).
  void Drain();
  // Leaves the rest to the next turn of the event loop.
  void EndTurn();
  // The next waiting call, or null once none has come for a short while.
  std::shared_ptr<Call> NextCall();

  // Lives on the user-interface thread: what is queued to it runs there.
  QObject context_;
  std::mutex lock_;
  // Shared with the waiting worker: the call is signalled after its
  // worker may have seen the flag already and gone on.
  std::deque<std::shared_ptr<Call>> calls_;
  bool draining_ = false;  // a Drain is queued or running
};

}  // namespace orvane
