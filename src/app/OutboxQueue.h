#pragma once

#include <optional>

#include "app/SendUnit.h"
#include "outbox/Outbox.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The program's outbox: "Outbox" in the program folder.
Outbox ProgramOutbox(const IniFileUnit& settings);

// What to record of a message that is queued.
struct QueueReason {
  // Not tried before this time (後で送信); none: at once.
  std::optional<TimePoint> notBefore;
  // The failed attempt it comes from: its reply or reason. None: it was
  // queued without one.
  std::optional<WideString> failure;
};

// Queues what the job would have delivered: the message without its Bcc
// field, the envelope, the account. A job that failed counts one attempt
// and waits out the first retry pause. The job's message is whole (a
// message read as it goes out is never queued). Throws FileError.
OutboxRecord QueueSendJob(const IniFileUnit& settings, const Clock& clock, const SendJob& job,
                          const QueueReason& reason);

// The failure an outcome is kept with: the server's reply, else our reason.
WideString FailureText(const SendOutcome& outcome);

// "HH:MM" of a moment today, "MM/DD HH:MM" of another day.
WideString MomentText(TimePoint moment, TimePoint now);

}  // namespace orvane
