#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace orvane {
namespace {

// Sets the process's time zone for one test.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~TimeZone() {
    if (old_.empty()) ::unsetenv("TZ");
    else ::setenv("TZ", old_.c_str(), 1);
    ::tzset();
  }

 private:
  std::string old_;
};

TEST(Clock, TheUtcOffsetIsTheOneInForceAtThatMoment) {
  TimeZone berlin("Europe/Berlin");
  EXPECT_EQ(ToLocalDateTime(FromUtcDateTime(2026, 1, 15, 12, 0, 0)).utcOffsetMinutes, 60);
  auto summer = ToLocalDateTime(FromUtcDateTime(2026, 7, 15, 12, 0, 0));
  EXPECT_EQ(summer.utcOffsetMinutes, 120);
  EXPECT_EQ(summer.hour, 14);
  EXPECT_EQ(summer.dayOfWeek, 3);  // a Wednesday
}

TEST(Clock, LocalTimesRoundTrip) {
  TimeZone tokyo("Asia/Tokyo");
  auto moment = FromLocalDateTime(2026, 12, 9, 14, 30, 5, 250);
  EXPECT_EQ(moment, FromUtcDateTime(2026, 12, 9, 5, 30, 5) + std::chrono::milliseconds(250));
  auto local = ToLocalDateTime(moment);
  EXPECT_EQ(local.year, 2026);
  EXPECT_EQ(local.month, 12);
  EXPECT_EQ(local.day, 9);
  EXPECT_EQ(local.hour, 14);
  EXPECT_EQ(local.minute, 30);
  EXPECT_EQ(local.second, 5);
  EXPECT_EQ(local.millisecond, 250);
  EXPECT_EQ(local.utcOffsetMinutes, 540);
}

}  // namespace
}  // namespace orvane
