#pragma once

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "extras/uFormatDateTimeEx.h"
#include "platform/CodePage.h"

namespace orvane::test {

inline LocalDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int millisecond = 0) {
  LocalDateTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.millisecond = millisecond;
  return t;
}

// The moment most rows format: a Sunday afternoon in 平成15.
inline const LocalDateTime kSunday = At(2003, 1, 5, 12, 34, 56);

struct FormatRow {
  std::u16string_view format;
  LocalDateTime at;
  std::u16string_view expected;
};

// Compared as UTF-8 so that a failure shows readable text.
inline void ExpectFormats(const std::vector<FormatRow>& rows,
                          const RegionalFormats& formats = JapaneseFormats()) {
  for (const FormatRow& row : rows) {
    const LocalDateTime& t = row.at;
    EXPECT_EQ(WideToUtf8(FormatDateTimeEx(row.format, t, formats)), WideToUtf8(row.expected))
        << "format \"" << WideToUtf8(row.format) << "\" on " << t.year << "-" << t.month << "-"
        << t.day << " " << t.hour << ":" << t.minute << ":" << t.second << "." << t.millisecond;
  }
}

}  // namespace orvane::test
