#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/Clock.h"
#include "support/Fakes.h"

namespace orvane::test {

// Sets the process's time zone for the lifetime of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (hadOld_)
      ::setenv("TZ", old_.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::string old_;
  bool hadOld_ = false;
};

// The moment 12:34:56 on 5 January 2003 in Japan.
inline TimePoint JapanNoon() {
  return FromUtcDateTime(2003, 1, 5, 3, 34, 56);
}

}  // namespace orvane::test
