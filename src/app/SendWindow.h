#pragma once

#include "app/SendUnit.h"
#include "platform/MainThread.h"
#include "platform/Types.h"

namespace orvane {

// Where a send shows what happens to it: the send window over the main
// window, or a sender's own report without one.
class SendWindow {
 public:
  virtual ~SendWindow() = default;
  // The thread the attempt's clients hand their events to.
  virtual MainThread& EventThread() = 0;
  // A failure before the attempt started: composing, the message file, the
  // pre-send checks.
  virtual void ShowError(const WideString& text) = 0;
  // Runs the attempt from TSendForm::Show to TSendForm::Close and returns
  // once it is recorded in the sent log, or once it could not start (having
  // shown why).
  virtual void ShowAttempt(TSendForm& attempt) = 0;
};

}  // namespace orvane
