#pragma once

#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

// A day of the Gregorian calendar.
struct CalendarDate {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;
  bool operator==(const CalendarDate&) const = default;
};

CalendarDate DateOf(const LocalDateTime& moment);

// A date in the short date format "yyyy/mm/dd"; month and day may have one
// digit, the year one to four. nullopt for anything else or a day the
// calendar lacks ("2003/02/29").
std::optional<CalendarDate> ParseShortDate(std::u16string_view text);
WideString FormatShortDate(const CalendarDate& date);

// The whole years from the birthday to the moment: the span in days (the
// time of day included) divided by 365.25, truncated toward zero.
int AgeOn(const CalendarDate& birthday, const LocalDateTime& now);

}  // namespace orvane
