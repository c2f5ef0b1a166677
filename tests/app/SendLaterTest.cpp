// 後で送信: the time its dialog offers and the times it refuses.
#include <gtest/gtest.h>

#include "app/SendLater.h"
#include "platform/Clock.h"

namespace orvane::test {
namespace {

TEST(SendLater, OffersAnHourFromNowRoundedUpToFiveMinutes) {
  struct Row {
    int hour, minute, second;
    int offeredHour, offeredMinute;
  } rows[] = {
      {9, 0, 0, 10, 0},   {9, 0, 1, 10, 5},   {9, 2, 30, 10, 5},
      {9, 55, 0, 10, 55}, {9, 57, 59, 11, 0}, {23, 58, 0, 1, 0},
  };
  for (const Row& row : rows) {
    const TimePoint now = FromUtcDateTime(2026, 12, 10, row.hour, row.minute, row.second);
    const int day = row.offeredHour < row.hour ? 11 : 10;
    EXPECT_EQ(DefaultSendLaterTime(now),
              FromUtcDateTime(2026, 12, day, row.offeredHour, row.offeredMinute, 0))
        << row.hour << ":" << row.minute << ":" << row.second;
  }
}

TEST(SendLater, RefusesATimeThatIsNotAhead) {
  const TimePoint now = FromUtcDateTime(2026, 12, 10, 9, 0, 0);
  const std::pair<std::chrono::seconds, bool> rows[] = {
      {std::chrono::hours(-25), true},      {std::chrono::seconds(-1), true},
      {std::chrono::seconds(0), true},      {std::chrono::seconds(1), false},
      {std::chrono::hours(24 * 30), false},
  };
  for (const auto& [offset, refused] : rows)
    EXPECT_EQ(SendLaterRefusal(now + offset, now).has_value(), refused) << offset.count();
}

}  // namespace
}  // namespace orvane::test
