#include "extras/CalendarNames.h"
#include "extras/DateFormatter.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/SjisText.h"

namespace orvane {
namespace {

using namespace calendar_names;

// Fitting counts Shift_JIS columns, so the names are converted first.
AnsiString Sjis(std::u16string_view text) {
  return WideToSjis(text);
}

// Blanks appended up to the width, then exactly the first width columns.
AnsiString FitBlanks(std::u16string_view text, size_t width) {
  AnsiString s = Sjis(text);
  if (s.size() < width) s.append(width - s.size(), ' ');
  return AnsiString(TruncateSjis(s, width));
}

// Ideographic spaces appended while one more fits, then the first width
// columns.
AnsiString FitSpaces(std::u16string_view text, size_t width) {
  AnsiString s = Sjis(text);
  const AnsiString space = Sjis(std::u16string_view(&kIdeographicSpace, 1));
  while (s.size() + space.size() <= width) s += space;
  return AnsiString(TruncateSjis(s, width));
}

WideString FullWidth(std::u16string_view text) {
  WideString wide(text);
  for (char16_t& c : wide) c = FullWidthForm(c);
  return wide;
}

WideString Join(std::u16string_view a, std::u16string_view b) {
  return WideString(a) + WideString(b);
}

int Mod(long long value, int divisor) {
  return static_cast<int>((value % divisor + divisor) % divisor);
}

WideString StemReading(int stem) {
  return Join(kElementReadings[stem / 2], stem % 2 == 0 ? kElderSuffix : kYoungerSuffix);
}

AnsiString Era(const TDecodedDateTime& t, bool upper, int n, bool digitMode) {
  const TJapaneseEra& era = JapaneseEra(t.era);
  if (t.era == 0) return n >= 4 ? FitSpaces(u"", upper ? 10 : 4) : AnsiString();
  if (n == 1) {
    const char16_t letter = digitMode ? FullWidthForm(era.letter) : era.letter;
    return Sjis(std::u16string_view(&letter, 1));
  }
  const std::u16string_view text = upper ? era.reading : era.name;
  if (n == 2) return Sjis(text.substr(0, 1));
  if (n == 3) return Sjis(text);
  return FitSpaces(text, upper ? 10 : 4);
}

AnsiString Cycle(const TDecodedDateTime& t, bool upper, int n) {
  const int stem = Mod(t.year + 6, 10), branch = Mod(t.year + 8, 12);
  if (upper) {
    const WideString stemReading = StemReading(stem);
    switch (n) {
      case 2:
        return Sjis(stemReading);
      case 3:
        return FitSpaces(stemReading, 8);
      case 4:
        return Sjis(kBranchReadings[branch]);
      case 5:
        return FitSpaces(kBranchReadings[branch], 6);
      case 6:
        return Sjis(Join(stemReading, kBranchReadings[branch]));
      default:
        return FitSpaces(Join(stemReading, kBranchReadings[branch]), 14);
    }
  }
  switch (n) {
    case 2:
    case 3:
      return Sjis(kStems[stem]);
    case 4:
      return Sjis(kBranches[branch]);
    case 5:
      return Sjis(kAnimals[branch]);
    case 6:
      return Sjis(Join(kStems[stem], kBranches[branch]));
    default:
      return Sjis(Join(kStems[stem], kAnimals[branch]));
  }
}

AnsiString Leap(const TDecodedDateTime& t, bool upper, int n) {
  if (t.leapYear) return Sjis(u"閏");
  if (n == 1) return AnsiString();
  return upper ? Sjis(std::u16string_view(&kIdeographicSpace, 1)) : Sjis(u"平");
}

AnsiString EnglishMonth(const TDecodedDateTime& t, bool upper, int n) {
  const std::u16string_view name = kEnglishMonths[t.month - 1];
  const WideString english = upper ? ToAsciiUpper(name) : WideString(name);
  const WideString wide = FullWidth(english);
  switch (n) {
    case 3:
      return FitBlanks(english, 3);
    case 4:
      return Sjis(english);
    case 5:
      return FitBlanks(english, 9);
    case 6:
      return FitSpaces(wide, 6);
    case 7:
      return Sjis(wide);
    default:
      return FitSpaces(wide, 18);
  }
}

AnsiString TraditionalMonth(const TDecodedDateTime& t, bool upper, int n) {
  const int m = t.month - 1;
  if (upper) {
    switch (n) {
      case 2:
        return FitSpaces(kTraditionalMonthReadings[m], 4);
      case 3:
        return FitSpaces(kTraditionalMonthReadings[m], 6);
      case 4:
        return Sjis(kTraditionalMonthReadings[m]);
      case 5:
        return FitSpaces(kTraditionalMonthReadings[m], 10);
      case 6:
        return Sjis(kHiraganaMonths[m]);
      default:
        return FitSpaces(kHiraganaMonths[m], 14);
    }
  }
  switch (n) {
    case 2:
      return FitSpaces(kTraditionalMonths[m], 2);
    case 3:
      return FitSpaces(kTraditionalMonths[m], 4);
    case 4:
      return Sjis(kTraditionalMonths[m]);
    case 5:
      return FitSpaces(kTraditionalMonths[m], 6);
    case 6:
      return Sjis(kKatakanaMonths[m]);
    default:
      return FitSpaces(kKatakanaMonths[m], 14);
  }
}

AnsiString EnglishWeekday(const TDecodedDateTime& t, bool upper, int n) {
  const int d = t.weekday - 1;
  const WideString stem =
      upper ? ToAsciiUpper(kEnglishWeekdays[d]) : WideString(kEnglishWeekdays[d]);
  const WideString suffix = upper ? ToAsciiUpper(kEnglishDaySuffix) : WideString(kEnglishDaySuffix);
  switch (n) {
    case 3:
      return FitBlanks(stem, 3);
    case 4:
      return Sjis(stem + suffix);
    case 5:
      return FitBlanks(stem + suffix, 9);
    case 6:
      return FitSpaces(FullWidth(stem), 6);
    case 7:
      return Sjis(FullWidth(stem + suffix));
    default:
      return FitSpaces(FullWidth(stem + suffix), 18);
  }
}

AnsiString JapaneseWeekday(const TDecodedDateTime& t, bool upper, int n) {
  const int d = t.weekday - 1;
  if (upper) {
    switch (n) {
      case 2:
        return Sjis(kKanjiWeekdayReadings[d]);
      case 3:
        return FitSpaces(kKanjiWeekdayReadings[d], 4);
      case 4:
        return Sjis(Join(kKanjiWeekdayReadings[d], kKanjiReadingDaySuffix));
      case 5:
        return FitSpaces(Join(kKanjiWeekdayReadings[d], kKanjiReadingDaySuffix), 10);
      case 6:
        return Sjis(Join(kHiraganaWeekdays[d], kHiraganaDaySuffix));
      default:
        return FitSpaces(Join(kHiraganaWeekdays[d], kHiraganaDaySuffix), 12);
    }
  }
  switch (n) {
    case 2:
    case 3:
      return Sjis(kKanjiWeekdays[d]);
    case 4:
    case 5:
      return Sjis(Join(kKanjiWeekdays[d], kKanjiDaySuffix));
    case 6:
      return Sjis(Join(kKatakanaWeekdays[d], kKatakanaDaySuffix));
    default:
      return FitSpaces(Join(kKatakanaWeekdays[d], kKatakanaDaySuffix), 12);
  }
}

// 子 from 23:00 to 0:59, 丑 from 1:00 to 2:59, ...
AnsiString ZodiacHour(const TDecodedDateTime& t, bool upper, int n) {
  const int branch = ((t.hour + 1) / 2) % 12;
  if (n == 3) return Sjis(upper ? kBranchReadings[branch] : kBranches[branch]);
  return upper ? FitSpaces(kBranchReadings[branch], 6) : Sjis(kAnimals[branch]);
}

// 九つ at 0, 1, 12 and 13 o'clock, ... 四つ at 10, 11, 22 and 23.
AnsiString BellHour(const TDecodedDateTime& t, bool upper, int n) {
  const int bell = (t.hour % 12) / 2;
  if (n == 3) return Sjis(upper ? kBellReadings[bell] : kBellHours[bell]);
  return upper ? FitSpaces(kBellReadings[bell], 8) : FitSpaces(kBellHours[bell], 6);
}

}  // namespace

AnsiString CalendarNameText(const TDecodedDateTime& time, char letter, bool upper, int n,
                            bool digitMode) {
  switch (letter) {
    case 'g':
      return Era(time, upper, n, digitMode);
    case 'j':
      return Cycle(time, upper, n);
    case 'l':
      return Leap(time, upper, n);
    case 'm':
      return EnglishMonth(time, upper, n);
    case 'k':
      return TraditionalMonth(time, upper, n);
    case 'd':
      return EnglishWeekday(time, upper, n);
    case 'a':
      return JapaneseWeekday(time, upper, n);
    case 'h':
      return ZodiacHour(time, upper, n);
    case 'f':
      return BellHour(time, upper, n);
    default:
      return AnsiString();
  }
}

}  // namespace orvane
