#pragma once

#include <optional>
#include <vector>

#include "app/SendSequence.h"
#include "outbox/Outbox.h"

namespace orvane {

// Which messages of the outbox a flush tries.
struct FlushOptions {
  std::optional<AnsiString> account;  // none: every account's
  // Background retries wait out each message's retry pause; a person or
  // the timer asking now (orvane-send -q) tries every message whose time
  // (後で送信) has come.
  bool waitOutPause = true;
  // Whether a message given up without an attempt (its lifetime is over)
  // gets an entry in the sent log; an attempt's own entry is the window's.
  bool recordGivenUp = true;
  // This message alone, whatever its times say (今すぐ送信 in the list).
  std::optional<std::string> only = std::nullopt;
};

// What a flush did.
struct FlushReport {
  int delivered = 0;
  std::vector<OutboxRecord> waiting;  // failed again for now: tried later
  std::vector<OutboxRecord> gaveUp;   // moved to failed/, with the reason
  bool AllWent() const { return waiting.empty() && gaveUp.empty(); }
};

// Sends the messages that are due, oldest first, each through the send
// attempt as the window runs it, under the message's own lock (a message
// another flush holds is left to it): delivered ones go, a temporary
// failure waits for its next retry, a permanent refusal or a message older
// than [Outbox] LifetimeDays moves to failed/.
FlushReport FlushOutbox(const SendSequenceServices& services, SendWindow& window,
                        const FlushOptions& options);

// Whether any message of the outbox is due (what a background flush would
// try), without taking any.
bool OutboxHasDue(const IniFileUnit& settings, const Clock& clock);

}  // namespace orvane
