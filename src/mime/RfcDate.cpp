#include "mime/RfcDate.h"

#include <array>
#include <cstdio>

#include "platform/AsciiText.h"

namespace orvane {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr int kLastYear = 2261;

// RFC 5322 comments: parentheses nest, a backslash quotes the next byte.
AnsiString WithoutComments(std::string_view text) {
  AnsiString out;
  out.reserve(text.size());
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (depth == 0) {
      if (c == '(')
        depth = 1;
      else
        out += c;
    } else if (c == '\\') {
      ++i;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    }
  }
  return out;
}

// The text before the first separator of the trimmed rest; the rest moves
// past it. A missing separator gives an empty field and keeps the rest.
std::string_view TakeField(std::string_view& rest, char separator) {
  rest = Trim(rest);
  size_t at = rest.find(separator);
  if (at == std::string_view::npos) return {};
  std::string_view field = rest.substr(0, at);
  rest.remove_prefix(at + 1);
  return field;
}

// A decimal integer with an optional sign; none for anything else.
std::optional<int> ToInt(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

bool IsLeapYear(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// The zone's offset from UTC in minutes (local time minus UTC).
int ZoneOffsetMinutes(std::string_view zone) {
  if (zone.size() == 1) {
    char c = zone[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    // RFC 822 section 5.1 military zones, as that RFC writes them.
    constexpr std::string_view kLetters = "JMLKIHGFEDCBAZNOPQRSTUVWXY";
    size_t at = kLetters.find(c);
    return at == std::string_view::npos ? 0 : (static_cast<int>(at) - 13) * 60;
  }
  if (zone.size() == 2 || zone.size() == 3) {
    struct Named {
      const char* name;
      int hours;
    };
    static constexpr Named kNames[] = {{"ut", 0},   {"gmt", 0},  {"edt", -4}, {"est", -5},
                                       {"cdt", -5}, {"cst", -6}, {"mdt", -6}, {"mst", -7},
                                       {"pdt", -7}, {"pst", -8}, {"jst", 9}};
    AnsiString lower = ToAsciiLower(zone);
    for (const Named& n : kNames)
      if (lower == n.name) return n.hours * 60;
    return 0;
  }
  if (zone.size() == 5) {
    std::optional<int> hours = ToInt(zone.substr(0, 3));
    if (!hours) return 0;
    int minutes = 0;
    if (auto m = ToInt(zone.substr(3)); m && zone[3] >= '0' && zone[3] <= '9') minutes = *m;
    bool negative = zone[0] == '-';
    return *hours * 60 + (negative ? -minutes : minutes);
  }
  return 0;
}

}  // namespace

AnsiString RfcDateString(TimePoint moment) {
  LocalDateTime t = ToLocalDateTime(moment);
  char zone[16] = "GMT";
  if (t.utcOffsetMinutes != 0) {
    int bias = t.utcOffsetMinutes < 0 ? -t.utcOffsetMinutes : t.utcOffsetMinutes;
    std::snprintf(zone, sizeof zone, "%c%02d%02d", t.utcOffsetMinutes > 0 ? '+' : '-',
                  bias / 60 % 100, bias % 60);
  }
  char text[96];
  std::snprintf(text, sizeof text, "%s, %d %s %04d %02d:%02d:%02d %s", kWeekdays[t.dayOfWeek % 7],
                t.day, kMonths[(t.month + 11) % 12], t.year, t.hour, t.minute, t.second, zone);
  return text;
}

std::optional<TimePoint> ParseRfcDate(std::string_view text) {
  AnsiString cleaned = WithoutComments(Trim(text));
  std::string_view rest = Trim(cleaned);
  if (rest.size() > 5 && rest[3] == ',') rest.remove_prefix(5);

  std::string_view dayField = TakeField(rest, ' ');
  std::string_view monthField = TakeField(rest, ' ');
  std::string_view yearField = TakeField(rest, ' ');
  std::string_view hourField = TakeField(rest, ':');
  std::string_view minuteField = TakeField(rest, ':');
  std::string_view secondField = TakeField(rest, ' ');
  std::string_view zone = Trim(rest);

  std::optional<int> day = ToInt(dayField);
  if (!day || *day < 1 || *day > 31) return std::nullopt;

  constexpr std::string_view kMonthText = "jan feb mar apr may jun jul aug sep oct nov dec";
  if (monthField.empty()) return std::nullopt;
  size_t monthAt = kMonthText.find(ToAsciiLower(monthField));
  if (monthAt == std::string_view::npos) return std::nullopt;
  int month = static_cast<int>(monthAt) / 4 + 1;

  std::optional<int> year = ToInt(yearField);
  if (!year) return std::nullopt;
  if (*year >= 0 && *year <= 50)
    *year += 2000;
  else if (*year >= 51 && *year <= 99)
    *year += 1900;
  // A time point counts nanoseconds, which reach to April 2262.
  if (*year < 1951 || *year > kLastYear) return std::nullopt;
  if (*day > DaysInMonth(*year, month)) return std::nullopt;

  // Out-of-range times read as 0; a negative one is no time at all.
  auto timeField = [](std::string_view field, int max) -> std::optional<int> {
    std::optional<int> v = ToInt(field);
    if (!v || *v > max) return 0;
    if (*v < 0) return std::nullopt;
    return v;
  };
  std::optional<int> hour = timeField(hourField, 23);
  std::optional<int> minute = timeField(minuteField, 59);
  std::optional<int> second = timeField(secondField, 59);
  if (!hour || !minute || !second) return std::nullopt;

  TimePoint utc = FromUtcDateTime(*year, month, *day, *hour, *minute, *second);
  return utc - std::chrono::minutes(ZoneOffsetMinutes(zone));
}

std::int32_t DosDateTime(TimePoint moment) {
  LocalDateTime t = ToLocalDateTime(moment);
  if (t.year < 1980 || t.year > 2107) return 0;
  std::uint32_t value =
      static_cast<std::uint32_t>(t.year - 1980) << 25 | static_cast<std::uint32_t>(t.month) << 21 |
      static_cast<std::uint32_t>(t.day) << 16 | static_cast<std::uint32_t>(t.hour) << 11 |
      static_cast<std::uint32_t>(t.minute) << 5 | static_cast<std::uint32_t>(t.second / 2);
  return static_cast<std::int32_t>(value);
}

}  // namespace orvane
