#pragma once

#include <optional>

#include "app/OutboxFlush.h"
#include "settings/IniFileUnit.h"
#include "tools/send/Ending.h"
#include "tools/send/SendCommand.h"

namespace orvane {

// -bp: one entry a message on standard output (id, size, created, the
// envelope, the next attempt and the last reply), then how many wait.
Ending ListOutbox(const IniFileUnit& settings, bool english);

// -q and --flush-due: sends what is due, of the account named (all
// accounts when none is), each message it gave up told on standard error.
// 0 when nothing it tried failed, 75 otherwise.
Ending FlushCommand(const SendCommand& command, const IniFileUnit& settings, bool english);

// After a message of its own went: what of the account is due goes too,
// so that a regular job drains the outbox without the timer. Only what it
// gave up is told.
void FlushAfterSend(const SendSequenceServices& services, SendWindow& window,
                    const AnsiString& account, bool english);

}  // namespace orvane
