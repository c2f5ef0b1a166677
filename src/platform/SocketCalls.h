#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The system calls on sockets that the client connection and the loopback
// listener share.

using SocketDeadline = std::chrono::steady_clock::time_point;

// What errno `error` of a socket call means, in the user's words; the
// system's own text for the rarer errors.
WideString ErrnoReason(int error);

// Raises SocketError for a failed call, the reason in the user's words.
[[noreturn]] void RaiseSocketErrno(const std::string& what, int error);

enum class SocketWait { kReady, kTimedOut, kInterrupted };

// What is left until deadline, as a poll time-out (never negative).
int PollTimeout(SocketDeadline deadline);

// Waits for `events` on fd until the deadline or until the eventfd
// `interrupt` (none when negative) is signalled. Readiness wins over a
// deadline or an interrupt at the same time; an error or hang-up counts as
// ready, so that the read or write that follows reports it.
SocketWait WaitOnSocket(int fd, short events, int interrupt, SocketDeadline deadline);

// Writes all of `bytes` without blocking in the call; whenever the peer's
// window is full, `waitWritable` waits for room and throws when it gives up.
void SendAll(int fd, std::string_view bytes, const std::function<void()>& waitWritable);

}  // namespace orvane
