#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

// A moment in the form of the Date field (RFC 5322 section 3.3), in local
// time with the UTC offset in force at that moment: "Sun, 5 Jan 2003
// 12:34:56 +0900"; "GMT" when the offset is zero.
AnsiString RfcDateString(TimePoint moment);

// The moment a Date field value names, or none when it is unreadable or
// names an impossible date or a year after 2261. Comments and a leading weekday are skipped;
// two-digit years below 51 are 20xx; a numeric zone counts hours and
// minutes, a letter zone follows RFC 822, unknown zone names count as UTC.
std::optional<TimePoint> ParseRfcDate(std::string_view text);

// The local time of a moment as a DOS date-time: the date in the high word,
// the time in two-second units in the low word; 0 outside 1980-2107.
std::int32_t DosDateTime(TimePoint moment);

}  // namespace orvane
