// The date formatter's switches and composite forms: morning and afternoon,
// digit modes, quoted and plain text, regional formats and nesting, the
// output limit and the age of the moon.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "FormatRows.h"

namespace orvane::test {
namespace {

const LocalDateTime kNine = At(2003, 1, 5, 9, 0);
const LocalDateTime kOne = At(2003, 1, 5, 13, 0);

TEST(FormatDateTimeEx, MorningAndAfternoonWithEachSeparator) {
  struct Row {
    std::u16string_view format, morning, afternoon;
  };
  const Row rows[] = {
      {u"am/pm", u"am", u"pm"},
      {u"AM/PM", u"AM", u"PM"},
      {u"Am/pM", u"Am", u"pM"},
      {u"a/p", u"a", u"p"},
      {u"a.m./p.m.", u"a.m.", u"p.m."},
      {u"am%pm", u"ａｍ", u"ｐｍ"},
      {u"AM%PM", u"ＡＭ", u"ＰＭ"},
      {u"a%p", u"ａ", u"ｐ"},
      {u"A.M.%P.M.", u"Ａ．Ｍ．", u"Ｐ．Ｍ．"},
      {u"am\\pm", u"午前", u"午後"},
      {u"AM\\PM", u"ごぜん", u"ごご"},
      {u"a\\p", u"前", u"後"},
      {u"A\\P", u"ぜん", u"ご"},
      {u"a.m.\\p.m.", u"午前", u"午後"},
      {u"A.M.\\P.M.", u"ごぜん", u"ごご　"},
      {u"ampm", u"午前", u"午後"},
      {u"AmPm", u"午前", u"午後"},
      {u"am/pm yyyy", u"am 2003", u"pm 2003"},
  };
  for (const Row& row : rows) {
    ExpectFormats({{row.format, kNine, row.morning},
                   {row.format, At(2003, 1, 5, 11, 59, 59), row.morning},
                   {row.format, At(2003, 1, 5, 12, 0), row.afternoon},
                   {row.format, kOne, row.afternoon}});
  }
}

TEST(FormatDateTimeEx, AnUnmatchedMorningPatternCopiesTheLetterAndReadsOn) {
  ExpectFormats({
      {u"am-pm", kNine, u"a1-261"},  // m month, p days left
      {u"am/p", kNine, u"a1/26"},
      {u"ax", kNine, u"ax"},
      {u"a", kNine, u"a"},
      {u"A", kOne, u"A"},
  });
}

TEST(FormatDateTimeEx, FullWidthAndKanjiDigits) {
  ExpectFormats({
      {u"%yyyy", kSunday, u"２００３"},
      {u"\\yyyy", kSunday, u"二〇〇三"},
      {u"%\\yyyy", kSunday, u"２００３"},
      {u"\\%yyyy", kSunday, u"２００３"},
      {u"%\\yyyy%yyyy", kSunday, u"２００３二〇〇三"},
      {u"%yyyy%yyyy", kSunday, u"２００３2003"},
      {u"%%yyyy", kSunday, u"%2003"},
      {u"\\\\yyyy", kSunday, u"\\2003"},
      {u"%%%", kSunday, u"%%"},
      {u"%mm", kSunday, u"０１"},
      {u"%MM", kSunday, u"　１"},
      {u"\\MM", kSunday, u"　一"},
      {u"\\dd", kSunday, u"〇五"},
      {u"\\ggge", kSunday, u"平成一五"},
      {u"%ggge", kSunday, u"平成１５"},
      {u"%yyyy/mm/dd", kSunday, u"２００３/０１/０５"},
      {u"%c", kSunday, u"２００３/０１/０５ １２:３４:５６"},
      {u"%vv", kSunday, u"２００３年１月５日"},
  });
}

TEST(FormatDateTimeEx, QuotedAndPlainTextIsCopied) {
  ExpectFormats({
      {u"'mm'", kSunday, u"mm"},
      {u"\"yyyy\"", kSunday, u"yyyy"},
      {u"'it''s'", kSunday, u"its"},
      {u"'say \"hi\"'", kSunday, u"say \"hi\""},
      {u"'open yyyy", kSunday, u"open yyyy"},
      {u"x", kSunday, u"x"},
      {u"BIOQX-09 ,.", kSunday, u"BIOQX-09 ,."},
      {u"年yyyy年", kSunday, u"年2003年"},
      // Second bytes "\" and "m" in Shift_JIS are no switch and no month.
      {u"ソノyyyy", kSunday, u"ソノ2003"},
      {u"表示", kSunday, u"表示"},
  });
}

TEST(FormatDateTimeEx, SeparatorsComeFromTheRegionalFormats) {
  RegionalFormats dotted;
  dotted.dateSeparator = u'.';
  dotted.timeSeparator = u'.';
  ExpectFormats({{u"yyyy/mm/dd hh:nn", kSunday, u"2003.01.05 12.34"},
                 {u"c", kSunday, u"2003.01.05 12.34.56"}},
                dotted);
  ExpectFormats({{u"yyyy/mm/dd hh:nn", kSunday, u"2003/01/05 12:34"}});
}

TEST(FormatDateTimeEx, RegionalFormatsExpandOneLevelDeep) {
  ExpectFormats({
      {u"", kSunday, u"2003/01/05 12:34:56"},
      {u"c", At(2003, 1, 5), u"2003/01/05"},
      {u"C", At(2003, 1, 5, 0, 0, 0, 500), u"2003/01/05"},
      {u"c", At(2003, 1, 5, 0, 0, 1), u"2003/01/05 0:00:01"},
      {u"t", kSunday, u"12:34"},
      {u"tt", kSunday, u"12:34:56"},
      {u"v", kSunday, u"2003/01/05"},
      {u"vv", kSunday, u"2003年1月5日"},
      {u"VVV", kSunday, u"2003年1月5日"},
  });
  RegionalFormats nesting;
  nesting.shortDateFormat = u"[yyyy|c|t|v|ww|w]";
  nesting.longDateFormat = u"%yyyy";
  ExpectFormats({{u"v", kSunday, u"[2003|||||1]"},
                 {u"c", At(2003, 1, 5), u"[2003|||||1]"},
                 {u"vv yyyy", kSunday, u"２００３ ２００３"}},
                nesting);
}

TEST(FormatDateTimeEx, OutputStopsAt256Columns) {
  WideString years, fullWidthYears = u"%", expectedYears, expectedFullWidth;
  for (int i = 0; i < 60; ++i) years += u"yyyy-";
  for (int i = 0; i < 51; ++i) expectedYears += u"2003-";
  for (int i = 0; i < 40; ++i) fullWidthYears += u"yyyy-";
  for (int i = 0; i < 28; ++i) expectedFullWidth += u"２００３-";
  const WideString kanji(128, u'年');
  ExpectFormats({
      {u"'" + WideString(300, u'x'), kSunday, WideString(256, u'x')},
      {u"x" + kanji, kSunday, u"x" + WideString(127, u'年')},
      {u"x" + kanji + u"y", kSunday, u"x" + WideString(127, u'年')},
      {years, kSunday, expectedYears + u"2"},
      {fullWidthYears, kSunday, expectedFullWidth + u"２０"},
  });
}

// Expected ages from the documented formula, computed independently.
TEST(FormatDateTimeEx, AgeOfTheMoonForms) {
  const LocalDateTime young = At(2003, 1, 3, 5, 23);  // age 0.017
  const LocalDateTime old = At(2001, 6, 21, 20, 58);  // age 29.517
  ExpectFormats({
      {u"r", kSunday, u"2"},  // age 2.3173
      {u"rr", kSunday, u"02"},
      {u"RR", kSunday, u" 2"},
      {u"rrr", kSunday, u"2.3"},
      {u"rrrr", kSunday, u"02.3"},
      {u"RRRR", kSunday, u" 2.3"},
      {u"rrrrr", kSunday, u"2.32"},
      {u"rrrrrr", kSunday, u"02.32"},
      {u"RRRRRR", kSunday, u" 2.32"},
      {u"%rrr", kSunday, u"２・３"},
      {u"%RRRR", kSunday, u"　２・３"},
      {u"\\rrrrr", kSunday, u"二・三二"},
      {u"rrrrr", young, u"0.02"},
      {u"RRRRRR", young, u" 0.02"},
      {u"rrr", young, u"0.0"},
      {u"rrrrr", old, u"29.52"},
      {u"r", old, u"30"},
  });
}

// Japan's local time of a moment in UT, without the process's time zone.
LocalDateTime JapanTime(int year, int month, int day, int hour, int minute) {
  using namespace std::chrono;
  const auto moment = FromUtcDateTime(year, month, day, hour, minute, 0) + hours(9);
  const auto date = floor<days>(moment);
  const year_month_day ymd{date};
  const hh_mm_ss clock{moment - date};
  return At(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()));
}

TEST(FormatDateTimeEx, TheMoonIsNewAtPublishedNewMoons) {
  struct NewMoon {
    int year, month, day, hour, minute;  // UT
  };
  // New moons of 2001 to 2004 from a published table.
  const NewMoon newMoons[] = {
      {2001, 1, 24, 13, 7},  {2001, 6, 21, 11, 58}, {2001, 12, 14, 20, 48}, {2002, 3, 14, 2, 4},
      {2002, 6, 10, 23, 47}, {2002, 12, 4, 7, 36},  {2003, 1, 2, 20, 23},   {2003, 5, 31, 4, 18},
      {2003, 11, 23, 23, 0}, {2004, 1, 21, 21, 6},  {2004, 4, 19, 13, 21},  {2004, 10, 14, 2, 50},
  };
  constexpr double kLunation = 29.530589;
  for (const NewMoon& m : newMoons) {
    const LocalDateTime local = JapanTime(m.year, m.month, m.day, m.hour, m.minute);
    const double age = std::stod(WideToUtf8(FormatDateTimeEx(u"rrrrr", local)));
    EXPECT_LT(std::min(age, kLunation - age), 0.3)
        << m.year << "-" << m.month << "-" << m.day << " " << m.hour << ":" << m.minute << " UT";
    const double weekLater = std::stod(WideToUtf8(
        FormatDateTimeEx(u"rrrrr", JapanTime(m.year, m.month, m.day + 7, m.hour, m.minute))));
    EXPECT_NEAR(weekLater, 7.0, 0.5) << m.year << "-" << m.month << "-" << m.day;
  }
}

}  // namespace
}  // namespace orvane::test
