#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outbox/Outbox.h"

namespace orvane {

// A record as stored: "Key=Value" lines, the values as they are (account
// names in Shift_JIS, replies in UTF-8), times in seconds since 1970, and
// a last line "End=1", so that a record cut short is never read as whole.
std::string FormatOutboxRecord(const OutboxRecord& record);
// None when a line is not "Key=Value", a number is no number, a needed key
// is missing or the text does not end with the end line.
std::optional<OutboxRecord> ParseOutboxRecord(std::string_view text);

// The checksum a message file is compared with before it is sent (FNV-1a,
// 64 bits): a file cut short or changed is set aside, never sent.
std::uint64_t OutboxChecksum(std::string_view text);

}  // namespace orvane
