#include "platform/Clock.h"

#include <ctime>

namespace orvane {

const Clock& DefaultClock() {
  static const SystemClock clock;
  return clock;
}

LocalDateTime ToLocalDateTime(TimePoint moment) {
  using namespace std::chrono;
  auto secs = floor<seconds>(moment);
  std::time_t t = system_clock::to_time_t(secs);
  std::tm tm{};
  localtime_r(&t, &tm);
  LocalDateTime l;
  l.year = tm.tm_year + 1900;
  l.month = tm.tm_mon + 1;
  l.day = tm.tm_mday;
  l.hour = tm.tm_hour;
  l.minute = tm.tm_min;
  l.second = tm.tm_sec;
  l.millisecond = static_cast<int>(duration_cast<milliseconds>(moment - secs).count());
  l.dayOfWeek = tm.tm_wday;
  l.utcOffsetMinutes = static_cast<int>(tm.tm_gmtoff / 60);
  return l;
}

TimePoint FromLocalDateTime(int year, int month, int day, int hour, int minute, int second,
                            int millisecond) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  std::time_t t = std::mktime(&tm);
  return std::chrono::system_clock::from_time_t(t) + std::chrono::milliseconds(millisecond);
}

TimePoint FromUtcDateTime(int year, int month, int day, int hour, int minute, int second) {
  using namespace std::chrono;
  auto date = sys_days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                       std::chrono::day{static_cast<unsigned>(day)}};
  return TimePoint{date} + hours{hour} + minutes{minute} + seconds{second};
}

}  // namespace orvane
