#pragma once

#include <string_view>

#include "platform/Clock.h"

namespace orvane {

// A Japanese era: the proleptic Gregorian date of its first day and the
// base year, so that the year of the era is the year minus the base year.
struct TJapaneseEra {
  int firstYear, firstMonth, firstDay;
  int baseYear;
  std::u16string_view name;     // 平成
  std::u16string_view reading;  // へいせい
  char16_t letter;              // H
};

// Eras 1 (明治) to 5 (令和); era 0, before 明治, has empty texts.
inline constexpr int kLastEra = 5;
const TJapaneseEra& JapaneseEra(int index);
// The last era whose first day the date reaches; 0 before the first.
int EraOfDate(int year, int month, int day);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The Julian day number of a Gregorian date, 2451545 for 2000-01-01.
long long JulianDayNumber(int year, int month, int day);

// The age of the moon in days (about 0 to 29.5) at a Julian day number plus
// the local time of day as a fraction of a day: the mean lunation with the
// two largest periodic corrections.
double MoonAge(double julianDay);

// A local date-time taken apart as the date formatter reads it.
struct TDecodedDateTime {
  int year = 0, month = 1, day = 1;
  int weekday = 1;  // 1 Sunday to 7 Saturday
  bool leapYear = false;
  int era = 0;
  long long julianDay = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The weekday comes from the date itself, not from the time's dayOfWeek.
TDecodedDateTime DecodeDateTime(const LocalDateTime& moment);

}  // namespace orvane
