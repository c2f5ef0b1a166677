#pragma once

#include <chrono>

#include "platform/Types.h"

namespace orvane {

// The local reasons a connection fails for, as the user is told them. The
// server is named as host:port ("[host]:port" for an IPv6 address).

// "smtp.example.jp:587 に接続できません (接続が拒否されました)"; a host that is
// not set gives the reason alone.
WideString CannotConnectText(const AnsiString& host, int port, const WideString& reason);
// The connection broke while reading or writing.
WideString BrokenText(const AnsiString& host, int port, const WideString& reason);
// No whole reply within the time-out, which is given in seconds.
WideString NoReplyText(const AnsiString& host, int port, std::chrono::milliseconds timeout);
WideString ClosedText(const AnsiString& host, int port);
// A reply beyond the limits of the protocol.
WideString TooLongText(const AnsiString& host, int port);

}  // namespace orvane
