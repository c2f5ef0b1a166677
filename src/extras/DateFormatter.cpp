#include "extras/DateFormatter.h"

#include <cmath>
#include <string>

#include "extras/CalendarNames.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/SjisText.h"

namespace orvane {
namespace {

using calendar_names::kIdeographicSpace;
using calendar_names::kKanjiDigits;

// The letters of the format language and the two switches; every other
// character is copied.
constexpr std::string_view kFormatChars = "yegjlmkdawpuhfnszrtvc%\\";

// Byte length of the character at the start of text.
size_t CharLength(std::string_view text) {
  return text.size() >= 2 && IsSjisLeadByte(text[0]) ? 2 : 1;
}

// The Japanese word of one letter of a morning or afternoon pattern.
std::u16string_view MeridiemWord(char letter) {
  switch (letter) {
    case 'a':
      return u"前";
    case 'p':
      return u"後";
    case 'm':
      return u"午";
    case 'A':
      return u"ぜん";
    default:
      return u"ご";  // P and M
  }
}

}  // namespace

void TDateFormatter::Format(std::string_view format) {
  size_t i = 0;
  while (i < format.size()) {
    const std::string_view rest = format.substr(i);
    const char c = rest[0];
    if (CharLength(rest) == 2) {
      Put(rest.substr(0, 2));
      i += 2;
    } else if (c == '"' || c == '\'') {
      // A quote is never the second byte of a double-byte character.
      const size_t close = rest.find(c, 1);
      Put(rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      i += close == std::string_view::npos ? rest.size() : close + 1;
    } else if (c == '/') {
      Put(std::u16string_view(&formats_.dateSeparator, 1));
      ++i;
    } else if (c == ':') {
      Put(std::u16string_view(&formats_.timeSeparator, 1));
      ++i;
    } else if (kFormatChars.find(AsciiLower(c)) == std::string_view::npos) {
      Put(rest.substr(0, 1));
      ++i;
    } else {
      const size_t run = rest.find_first_not_of(c);
      const int n = static_cast<int>(run == std::string_view::npos ? rest.size() : run);
      if (AsciiLower(c) == 'a' && n == 1) {
        i += PutMorningAfternoon(rest);
        continue;
      }
      i += n;
      // Characters that are not letters count as upper case.
      PutLetter(AsciiLower(c), !(c >= 'a' && c <= 'z'), n);
    }
  }
}

void TDateFormatter::PutLetter(char letter, bool upper, int n) {
  if (letter == 'e' && t_.era == 0) letter = 'y';
  const int secondsOfDay = t_.hour * 3600 + t_.minute * 60 + t_.second;
  switch (letter) {
    case 'y':
      if (n <= 2) return PutNumber(t_.year % 100, n, upper);
      return PutNumber(t_.year, n == 3 ? 1 : 4, upper);
    case 'e':
      return PutNumber(t_.year - JapaneseEra(t_.era).baseYear, n == 1 ? 1 : 2, upper);
    case 'j':
    case 'k':
      // A single J or K is copied as written.
      if (n == 1) return Put(AnsiString(1, upper ? static_cast<char>(letter - 'a' + 'A') : letter));
      break;
    case 'm':
    case 'd':
      if (n <= 2) return PutNumber(letter == 'm' ? t_.month : t_.day, n, upper);
      break;
    case 'w':
      if (n == 1) return PutNumber((t_.day - 1) / 7 + 1, 1, upper);
      return Nested(WideString(static_cast<size_t>(n), upper ? u'A' : u'a'));
    case 'p':
      return PutNumber(DaysInMonth(t_.year, t_.month) - t_.day, n == 1 ? 1 : 2, upper);
    case 'u':
      return PutNumber(t_.julianDay + (t_.hour >= 12 ? 1 : 0), n, upper);
    case 'h':
      if (n <= 2) return PutNumber(t_.hour, n, upper);
      break;
    case 'f':
      if (n <= 2) return PutNumber(t_.hour % 12, n, upper);
      break;
    case 'n':
      if (n <= 2) return PutNumber(t_.minute, n, upper);
      return PutNumber(t_.hour * 60 + t_.minute, n == 3 ? 1 : 4, upper);
    case 's':
      if (n <= 2) return PutNumber(t_.second, n, upper);
      return PutNumber(secondsOfDay, n == 3 ? 1 : 5, upper);
    case 'z':
      return PutNumber(t_.millisecond, n == 1 ? 1 : 3, upper);
    case 'r':
      return PutMoonAge(n, upper);
    case 't':
      return Nested(n == 1 ? formats_.shortTimeFormat : formats_.longTimeFormat);
    case 'v':
      return Nested(n == 1 ? formats_.shortDateFormat : formats_.longDateFormat);
    case 'c':
      if (depth_ > 0) return;
      Nested(formats_.shortDateFormat);
      if (secondsOfDay != 0) {
        Put(std::string_view(" "));
        Nested(formats_.longTimeFormat);
      }
      return;
    case '%':
    case '\\':
      if (n >= 2) return Put(AnsiString(static_cast<size_t>(n - 1), letter));
      if (letter == '%')
        fullWidth_ = !fullWidth_;
      else
        kanji_ = !kanji_;
      return;
  }
  Put(CalendarNameText(t_, letter, upper, n, DigitMode()));
}

size_t TDateFormatter::PutMorningAfternoon(std::string_view rest) {
  const bool morning = t_.hour < 12;
  if (StartsWithAsciiText(rest, "ampm")) {
    Put(morning ? formats_.timeAmString : formats_.timePmString);
    return 4;
  }
  // One pattern is tried; "?" stands for the separator.
  const std::string_view pattern = StartsWithAsciiText(rest, "a.m.") ? "a.m.?p.m."
                                   : StartsWithAsciiText(rest, "am") ? "am?pm"
                                                                     : "a?p";
  const size_t sep = pattern.find('?');
  bool matches = rest.size() >= pattern.size();
  for (size_t k = 0; matches && k < pattern.size(); ++k)
    matches = k == sep || AsciiLower(rest[k]) == pattern[k];
  const char separator = matches ? rest[sep] : 0;
  if (separator != '/' && separator != '%' && separator != '\\') {
    Put(rest.substr(0, 1));
    return 1;
  }
  const std::string_view part =
      morning ? rest.substr(0, sep) : rest.substr(sep + 1, pattern.size() - sep - 1);
  if (separator == '/') {
    Put(part);
  } else if (separator == '%') {
    WideString wide;
    for (char c : part) wide += FullWidthForm(static_cast<char16_t>(c));
    Put(wide);
  } else {
    std::string letters;
    for (char c : part)
      if (c != '.') letters += c;
    if (letters.size() == 1) {
      Put(MeridiemWord(letters[0]));
    } else {
      Put(MeridiemWord(letters[1]));
      Put(MeridiemWord(letters[0]));
      // Pads ごご to the width of ごぜん.
      if (part.size() == 4 && letters[0] == 'P') Put(std::u16string_view(&kIdeographicSpace, 1));
    }
  }
  return pattern.size();
}

void TDateFormatter::PutMoonAge(int n, bool upper) {
  const double dayFraction =
      (((t_.hour * 60.0 + t_.minute) * 60.0 + t_.second) * 1000.0 + t_.millisecond) / 86400000.0;
  const double age = MoonAge(static_cast<double>(t_.julianDay) + dayFraction);
  if (n <= 2) return PutNumber(static_cast<long long>(std::floor(age + 0.5)), n, upper);
  const int decimals = n <= 4 ? 1 : 2;
  const int scale = decimals == 1 ? 10 : 100;
  const long long scaled = static_cast<long long>(std::floor(age * scale + 0.5));
  PutNumber(scaled / scale, n == 3 || n == 5 ? 1 : 2, upper);
  Put(DigitMode() ? std::u16string_view(u"・") : std::u16string_view(u"."));
  // The fraction digits are filled with "0" whatever the case.
  PutNumber(scaled % scale, decimals, false);
}

void TDateFormatter::Nested(std::u16string_view format) {
  if (depth_ > 0) return;
  ++depth_;
  Format(WideToSjis(format));
  --depth_;
}

void TDateFormatter::Put(std::string_view sjis) {
  while (!closed_ && !sjis.empty()) {
    const size_t length = CharLength(sjis);
    if (out_.size() + length > kMaxColumns) {
      closed_ = true;
      break;
    }
    out_.append(sjis.substr(0, length));
    sjis.remove_prefix(length);
  }
}

void TDateFormatter::Put(std::u16string_view text) {
  Put(WideToSjis(text));
}

void TDateFormatter::PutNumber(long long value, int width, bool upper) {
  std::string digits = std::to_string(value);
  if (width > 1 && digits.size() < static_cast<size_t>(width))
    digits.insert(0, static_cast<size_t>(width) - digits.size(), upper ? ' ' : '0');
  if (!DigitMode()) return Put(std::string_view(digits));
  WideString wide;
  for (char c : digits) {
    if (c < '0' || c > '9')
      wide += kIdeographicSpace;
    else
      wide += fullWidth_ ? FullWidthForm(static_cast<char16_t>(c)) : kKanjiDigits[c - '0'];
  }
  Put(wide);
}

}  // namespace orvane
