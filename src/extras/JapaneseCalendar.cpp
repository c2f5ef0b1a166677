#include "extras/JapaneseCalendar.h"

#include <cmath>
#include <numbers>

namespace orvane {
namespace {

constexpr TJapaneseEra kEras[kLastEra + 1] = {
    {0, 0, 0, 0, u"", u"", 0},
    {1868, 9, 8, 1867, u"明治", u"めいじ", u'M'},
    {1912, 7, 30, 1911, u"大正", u"たいしょう", u'T'},
    {1926, 12, 25, 1925, u"昭和", u"しょうわ", u'S'},
    {1989, 1, 8, 1988, u"平成", u"へいせい", u'H'},
    {2019, 5, 1, 2018, u"令和", u"れいわ", u'R'},
};

constexpr double kLunation = 29.530589;
// The moment of a mean new moon early in January 2000, on the scale of
// Julian day numbers plus the local time of day.
constexpr double kNewMoonEpoch = 2451550.9727;

double SinDegrees(double degrees) {
  return std::sin(degrees * std::numbers::pi / 180.0);
}

}  // namespace

const TJapaneseEra& JapaneseEra(int index) {
  return kEras[index >= 0 && index <= kLastEra ? index : 0];
}

int EraOfDate(int year, int month, int day) {
  for (int era = kLastEra; era >= 1; --era) {
    const TJapaneseEra& e = kEras[era];
    if (year != e.firstYear ? year > e.firstYear
                            : (month != e.firstMonth ? month > e.firstMonth : day >= e.firstDay))
      return era;
  }
  return 0;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[(month + 11) % 12];
}

long long JulianDayNumber(int year, int month, int day) {
  // Integer arithmetic with truncating division throughout.
  const long long y = year;
  if (month > 2)
    return 367 * (month - 2) / 12 + (1461 * y + 7012800) / 4 - ((y + 4900) / 100 * 3) / 4 + day -
           32075;
  return 367 * (month + 10) / 12 + (1461 * y + 7011339) / 4 - ((y + 4899) / 100 * 3) / 4 + day -
         32075;
}

double MoonAge(double julianDay) {
  const double b = julianDay - kNewMoonEpoch;
  const double k = std::floor(b / kLunation);
  double age = 0.407 * SinDegrees(k * 385.82 + 201.56) + (b - k * kLunation) -
               0.172 * SinDegrees(k * 29.11 + 2.55);
  if (age > 29.535)
    age -= 29.535;
  else if (age < -0.004411)
    age += 29.535;
  return age;
}

TDecodedDateTime DecodeDateTime(const LocalDateTime& moment) {
  TDecodedDateTime t;
  t.year = moment.year;
  t.month = moment.month;
  t.day = moment.day;
  t.leapYear = IsLeapYear(moment.year);
  t.era = EraOfDate(moment.year, moment.month, moment.day);
  t.julianDay = JulianDayNumber(moment.year, moment.month, moment.day);
  t.weekday = static_cast<int>(((t.julianDay + 1) % 7 + 7) % 7) + 1;
  t.hour = moment.hour;
  t.minute = moment.minute;
  t.second = moment.second;
  t.millisecond = moment.millisecond;
  return t;
}

}  // namespace orvane
