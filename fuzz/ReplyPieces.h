// A server reply read from fuzz input as a connection reads it: the first
// byte sets the size of the pieces the rest arrives in (0 for the largest a
// read takes), so that replies split anywhere are tried.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "transport/LineTransport.h"
#include "transport/ReplyReader.h"

// The complete reply, or nullopt when the input ended first or the reply
// grew too long. A complete reply is what the rule calls complete, and
// the bytes it came from.
template <typename Rule>
std::optional<orvane::AnsiString> ReadReplyInPieces(const std::uint8_t* data, std::size_t size,
                                                    Rule rule) {
  if (size == 0) return std::nullopt;
  const std::size_t piece = data[0] == 0 ? orvane::kBufferSize : data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  orvane::TReplyReader reader(rule);
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    switch (reader.Add(bytes.substr(at, piece))) {
      case orvane::TReplyReader::kMore:
        continue;
      case orvane::TReplyReader::kTooLong:
        return std::nullopt;
      case orvane::TReplyReader::kComplete: {
        orvane::AnsiString reply = reader.Take();
        if (!rule(reply) || !bytes.starts_with(reply)) __builtin_trap();
        return reply;
      }
    }
  }
  return std::nullopt;
}
