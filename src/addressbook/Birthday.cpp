#include "addressbook/Birthday.h"

#include <chrono>
#include <cstdio>

#include "platform/CodePage.h"

namespace orvane {
namespace {

std::chrono::year_month_day ToChrono(const CalendarDate& date) {
  return std::chrono::year{date.year} / std::chrono::month{static_cast<unsigned>(date.month)} /
         std::chrono::day{static_cast<unsigned>(date.day)};
}

// A run of one to maxDigits ASCII digits at the front of the text, taken
// off it.
std::optional<int> TakeNumber(std::u16string_view& text, size_t maxDigits) {
  size_t length = 0;
  int value = 0;
  while (length < text.size() && text[length] >= u'0' && text[length] <= u'9') {
    if (++length > maxDigits) return std::nullopt;
    value = value * 10 + (text[length - 1] - u'0');
  }
  if (length == 0) return std::nullopt;
  text.remove_prefix(length);
  return value;
}

bool TakeSeparator(std::u16string_view& text) {
  if (text.empty() || text.front() != u'/') return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

CalendarDate DateOf(const LocalDateTime& moment) {
  return {moment.year, moment.month, moment.day};
}

std::optional<CalendarDate> ParseShortDate(std::u16string_view text) {
  const std::optional<int> year = TakeNumber(text, 4);
  if (!year || !TakeSeparator(text)) return std::nullopt;
  const std::optional<int> month = TakeNumber(text, 2);
  if (!month || !TakeSeparator(text)) return std::nullopt;
  const std::optional<int> day = TakeNumber(text, 2);
  if (!day || !text.empty()) return std::nullopt;
  const CalendarDate date{*year, *month, *day};
  if (!ToChrono(date).ok()) return std::nullopt;
  return date;
}

WideString FormatShortDate(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
  return Utf8ToWide(text);
}

int AgeOn(const CalendarDate& birthday, const LocalDateTime& now) {
  using std::chrono::sys_days;
  const auto days = (sys_days(ToChrono(DateOf(now))) - sys_days(ToChrono(birthday))).count();
  const double timeOfDay = (now.hour * 3600.0 + now.minute * 60.0 + now.second) / 86400.0;
  return static_cast<int>((static_cast<double>(days) + timeOfDay) / 365.25);
}

}  // namespace orvane
