#pragma once

#include <chrono>

namespace orvane {

using TimePoint = std::chrono::system_clock::time_point;

// A broken-down local time with the UTC offset in force at that moment
// (summer time included).
struct LocalDateTime {
  int year = 1970, month = 1, day = 1;  // month 1-12
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 4;  // 0 Sunday - 6 Saturday
  int utcOffsetMinutes = 0;  // local time minus UTC
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
};

// The system's clock.
class SystemClock final : public Clock {
 public:
  TimePoint Now() const override { return std::chrono::system_clock::now(); }
};

// The process's clock for code that is not handed one.
const Clock& DefaultClock();

LocalDateTime ToLocalDateTime(TimePoint moment);
// The moment a local time names; an hour that summer time skips or repeats
// is resolved as the C library resolves it.
TimePoint FromLocalDateTime(int year, int month, int day, int hour, int minute, int second,
                            int millisecond = 0);
// The moment a time in UTC names.
TimePoint FromUtcDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace orvane
