#include <gtest/gtest.h>

#include "mime/RfcDate.h"
#include "support/TimeZone.h"

namespace orvane {
namespace {

using test::ScopedTimeZone;

TEST(RfcDateString, WritesTheOffsetInForceAtThatMoment) {
  const struct {
    const char* zone;
    TimePoint moment;
    const char* text;
  } cases[] = {
      {"Asia/Tokyo", FromUtcDateTime(2003, 1, 5, 3, 34, 56), "Sun, 5 Jan 2003 12:34:56 +0900"},
      {"UTC", FromUtcDateTime(2003, 1, 5, 3, 4, 5), "Sun, 5 Jan 2003 03:04:05 GMT"},
      {"Europe/Berlin", FromUtcDateTime(2023, 1, 15, 12, 0, 0), "Sun, 15 Jan 2023 13:00:00 +0100"},
      {"Europe/Berlin", FromUtcDateTime(2023, 7, 1, 12, 0, 0), "Sat, 1 Jul 2023 14:00:00 +0200"},
      {"America/New_York", FromUtcDateTime(2023, 7, 1, 12, 0, 0), "Sat, 1 Jul 2023 08:00:00 -0400"},
      {"America/New_York", FromUtcDateTime(2023, 12, 31, 23, 59, 59),
       "Sun, 31 Dec 2023 18:59:59 -0500"},
      {"Asia/Kolkata", FromUtcDateTime(2024, 2, 29, 0, 0, 0), "Thu, 29 Feb 2024 05:30:00 +0530"},
  };
  for (const auto& c : cases) {
    ScopedTimeZone zone(c.zone);
    EXPECT_EQ(RfcDateString(c.moment), c.text) << c.zone;
  }
}

struct ParseCase {
  const char* text;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0,
      second = 0;  // local time in Japan; year 0: unreadable
};

class ParseRfcDateInJapan : public ::testing::TestWithParam<ParseCase> {
 protected:
  ScopedTimeZone tokyo{"Asia/Tokyo"};
};

TEST_P(ParseRfcDateInJapan, GivesTheLocalTime) {
  const ParseCase& c = GetParam();
  std::optional<TimePoint> parsed = ParseRfcDate(c.text);
  if (c.year == 0) {
    EXPECT_FALSE(parsed.has_value());
    return;
  }
  ASSERT_TRUE(parsed.has_value());
  LocalDateTime t = ToLocalDateTime(*parsed);
  EXPECT_EQ(t.year, c.year);
  EXPECT_EQ(t.month, c.month);
  EXPECT_EQ(t.day, c.day);
  EXPECT_EQ(t.hour, c.hour);
  EXPECT_EQ(t.minute, c.minute);
  EXPECT_EQ(t.second, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ParseRfcDateInJapan,
    ::testing::Values(
        ParseCase{"Sun, 5 Jan 2003 12:34:56 +0900", 2003, 1, 5, 12, 34, 56},
        ParseCase{"5 Jan 03 12:34:56 GMT", 2003, 1, 5, 21, 34, 56},
        ParseCase{"5 Foo 2003 12:00:00 +0900", 0},
        ParseCase{"  Sun, 5 Jan 2003 12:34:56 +0900 (JST)  ", 2003, 1, 5, 12, 34, 56},
        ParseCase{"Sun, 5 (a (nested) comment) Jan 2003 12:34:56 +0900", 2003, 1, 5, 12, 34, 56},
        ParseCase{"5 JAN 2003 12:34:56 +0900", 2003, 1, 5, 12, 34, 56},
        ParseCase{"5 Jan 2003 12:34:56 +0530", 2003, 1, 5, 16, 4, 56},
        ParseCase{"5 Jan 2003 12:34:56 -0330", 2003, 1, 6, 1, 4, 56},
        ParseCase{"5 Jan 2003 12:00:00 -0000", 2003, 1, 5, 21, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 Z", 2003, 1, 5, 21, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 A", 2003, 1, 5, 22, 0, 0},  // RFC 822: A is -1
        ParseCase{"5 Jan 2003 12:00:00 N", 2003, 1, 5, 20, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 EST", 2003, 1, 6, 2, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 pdt", 2003, 1, 6, 4, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 JST", 2003, 1, 5, 12, 0, 0},
        ParseCase{"5 Jan 2003 12:00:00 CET", 2003, 1, 5, 21, 0, 0},  // unknown name: UTC
        ParseCase{"5 Jan 2003 12:00:00", 2003, 1, 5, 21, 0, 0},
        ParseCase{"5 Jan 2003 12:34 +0900", 2003, 1, 5, 12, 0, 34},  // minutes read as seconds
        ParseCase{"5 Jan 2003 25:61:61 +0900", 2003, 1, 5, 0, 0, 0},
        ParseCase{"5 Jan 2003 xx:yy:zz +0900", 2003, 1, 5, 0, 0, 0},
        ParseCase{"29 Feb 2004 00:00:00 +0900", 2004, 2, 29, 0, 0, 0},
        ParseCase{"31 Feb 2003 00:00:00 +0900", 0}, ParseCase{"29 Feb 2003 00:00:00 +0900", 0},
        ParseCase{"0 Jan 2003 00:00:00 +0900", 0}, ParseCase{"32 Jan 2003 00:00:00 +0900", 0},
        ParseCase{"5 Jan 1950 00:00:00 +0900", 0},
        ParseCase{"5 Jan 51 00:00:00 +0900", 1951, 1, 5, 0, 0, 0},
        ParseCase{"5 Jan 50 00:00:00 +0900", 2050, 1, 5, 0, 0, 0},
        ParseCase{"5 Jan 150 00:00:00 +0900", 0},
        ParseCase{"31 Dec 2261 00:00:00 +0900", 2261, 12, 31, 0, 0, 0},
        ParseCase{"1 Jan 2262 00:00:00 +0900", 0},  // past what a time point holds
        ParseCase{"1 Jan 9999 00:00:00 +0900", 0}, ParseCase{"5 Jan year 00:00:00 +0900", 0},
        ParseCase{"", 0}, ParseCase{"Sun,", 0}, ParseCase{"(only a comment", 0}));

TEST(ParseRfcDate, ConvertsWithTheOffsetInForceAtTheParsedMoment) {
  ScopedTimeZone berlin("Europe/Berlin");
  std::optional<TimePoint> summer = ParseRfcDate("Sat, 1 Jul 2023 12:00:00 +0000");
  ASSERT_TRUE(summer.has_value());
  LocalDateTime s = ToLocalDateTime(*summer);
  EXPECT_EQ(s.hour, 14);
  EXPECT_EQ(s.utcOffsetMinutes, 120);
  std::optional<TimePoint> winter = ParseRfcDate("Sun, 15 Jan 2023 12:00:00 +0000");
  ASSERT_TRUE(winter.has_value());
  EXPECT_EQ(ToLocalDateTime(*winter).hour, 13);
}

TEST(ParseRfcDate, ReadsWhatRfcDateStringWrites) {
  ScopedTimeZone ny("America/New_York");
  TimePoint moment = FromUtcDateTime(2023, 7, 1, 12, 0, 0);
  EXPECT_EQ(ParseRfcDate(RfcDateString(moment)), moment);
}

TEST(DosDateTime, PacksTheLocalDateAndTime) {
  ScopedTimeZone tokyo("Asia/Tokyo");
  // 2003-01-05 12:34:56: (23 << 25) | (1 << 21) | (5 << 16) | (12 << 11) | (34 << 5) | 28
  EXPECT_EQ(DosDateTime(FromUtcDateTime(2003, 1, 5, 3, 34, 56)), 774202460);
  EXPECT_LT(DosDateTime(FromUtcDateTime(2050, 1, 1, 0, 0, 0)), 0);  // the sign bit is set
  EXPECT_EQ(DosDateTime(FromUtcDateTime(1970, 1, 1, 0, 0, 0)), 0);
}

}  // namespace
}  // namespace orvane
