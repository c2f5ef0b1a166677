#pragma once

#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the main window tells of the outbox while it is open: how many
// messages wait, which were given up, and what is left when it closes.
class OutboxWatch {
 public:
  OutboxWatch(IniFileUnit settings, const Clock& clock, Prompt& prompt);

  // "送信待ち N 通"; empty when nothing waits.
  WideString CountText() const;
  // Whether a background flush would find something to send now.
  bool HasDue() const;
  // The messages given up that the window has not told yet, in one message
  // box (件名, 宛先, the reason), each then marked told.
  void TellGivenUp() const;
  // Closing with messages waiting: says when they go. The close goes on.
  void TellWaitingOnClose() const;

 private:
  IniFileUnit settings_;
  const Clock& clock_;
  Prompt& prompt_;
};

}  // namespace orvane
