#pragma once

#include "app/cmdline.h"
#include "settings/IniFileUnit.h"
#include "tools/send/Ending.h"
#include "tools/send/SendCommand.h"

namespace orvane {

// The account to send with: the one named, else the first the program
// folder holds. Throws EndingError (78) when there is none.
AnsiString ChooseAccount(const IniFileUnit& settings, const AnsiString& name);

// One send as the command asks: the draft composed, or the message from
// standard input made ready, and sent through the send sequence with the
// pre-send rules on standard error. Throws EndingError for what stops it
// before the sequence: usage (64), bad input (65), a missing file (66).
Ending Deliver(const SendCommand& command, const Arguments& arguments, const IniFileUnit& settings,
               const AnsiString& account, bool english);

}  // namespace orvane
