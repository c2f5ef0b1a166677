#pragma once

#include <optional>

#include "app/SendOutcome.h"
#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

// 後で送信: the time its dialog offers first, an hour from now rounded up
// to the next five minutes, seconds dropped.
TimePoint DefaultSendLaterTime(TimePoint now);

// Why a chosen time cannot be taken (it is not ahead of now); none when it
// can.
std::optional<WideString> SendLaterRefusal(TimePoint at, TimePoint now);

// What the status bar says once a send put its message into the outbox
// for later: "送信待ちに入れました (送信: ...)". Empty for any other end.
WideString QueuedNotice(const SendOutcome& outcome, TimePoint now);

}  // namespace orvane
