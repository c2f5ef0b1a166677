#pragma once

#include "outbox/Outbox.h"
#include "platform/Types.h"

namespace orvane {

// The Subject of a message in `outbox` (its waiting messages or its
// failed/ folder), its encoded words decoded; empty when it has none or
// the message cannot be read.
WideString OutboxSubject(const Outbox& outbox, const std::string& id);

// The message's envelope recipients, joined by ", ".
WideString OutboxRecipients(const OutboxRecord& record);

}  // namespace orvane
