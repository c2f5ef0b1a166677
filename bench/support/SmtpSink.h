#pragma once

#include <cstddef>
#include <string>

#include "support/MailServers.h"

namespace orvane::bench {

// The size of the message the delivery benchmarks send.
constexpr std::size_t kDeliveryBytes = 70'000'000;

// Header lines and a body of 76-character lines, like a base64 attachment,
// `size` bytes in all.
std::string MakeDeliveryMessage(std::size_t size = kDeliveryBytes);

// Postfix's smtp-sink on a free port of 127.0.0.1, taking every message
// and keeping none; ends the benchmark when it does not start.
test::StartedServer StartSmtpSink();

// Seconds curl takes to deliver the message file to 127.0.0.1:port, over
// TLS from the first byte (checking the test CA's certificate) when `tls`;
// ends the benchmark when curl fails.
double TimeCurlDelivery(int port, const std::string& messageFile, bool tls = false);

}  // namespace orvane::bench
