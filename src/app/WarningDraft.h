#pragma once

#include "app/MessageDraft.h"
#include "checks/CheckWarnings.h"

namespace orvane {

// The main window's draft and flags as the pre-send rules read them.
// signature: the expanded signature ComposeMessage ended the body with.
TWarningDraft WarningDraftOf(const MessageDraft& draft, const AnsiString& accountName,
                             bool sendSucceeded, const WideString& signature);

}  // namespace orvane
