// The calendar of the date formatter: eras, years, the sexagenary cycle,
// month and weekday names, hours and day counts.
#include <gtest/gtest.h>

#include "FormatRows.h"

namespace orvane::test {
namespace {

TEST(FormatDateTimeEx, ErasChangeOnTheirFirstDays) {
  ExpectFormats({
      {u"ggge", At(1868, 9, 7), u"68"},  // before 明治 the era is empty and e is y
      {u"ggge", At(1868, 9, 8), u"明治1"},
      {u"ggge", At(1912, 7, 29, 23, 59, 59), u"明治45"},
      {u"ggge", At(1912, 7, 30), u"大正1"},
      {u"ggge", At(1926, 12, 24), u"大正15"},
      {u"ggge", At(1926, 12, 25), u"昭和1"},
      {u"ggge", At(1989, 1, 7), u"昭和64"},
      {u"ggge", At(1989, 1, 8), u"平成1"},
      {u"ggge", kSunday, u"平成15"},
      {u"ggge", At(2019, 4, 30, 23, 59, 59), u"平成31"},
      {u"ggge", At(2019, 5, 1), u"令和1"},
      {u"ggge", At(2024, 6, 1), u"令和6"},
      {u"ggge", At(2026, 3, 1), u"令和8"},
  });
}

TEST(FormatDateTimeEx, EraLettersNamesAndReadings) {
  ExpectFormats({
      {u"g", At(1900, 1, 1), u"M"},
      {u"g", At(1920, 1, 1), u"T"},
      {u"G", At(1950, 1, 1), u"S"},
      {u"g", kSunday, u"H"},
      {u"g", At(2024, 6, 1), u"R"},
      {u"%g", At(2024, 6, 1), u"Ｒ"},
      {u"\\g", kSunday, u"Ｈ"},
      {u"g", At(1868, 9, 7), u""},
      {u"gg", kSunday, u"平"},
      {u"GG", kSunday, u"へ"},
      {u"ggg", kSunday, u"平成"},
      {u"GGG", kSunday, u"へいせい"},
      {u"gggg", kSunday, u"平成"},
      {u"GGGG", kSunday, u"へいせい　"},
      {u"GGGG", At(1920, 1, 1), u"たいしょう"},
      {u"GGGGG", At(2024, 6, 1), u"れいわ　　"},
      {u"ggggg", At(2024, 6, 1), u"令和"},
      {u"ggg", At(1868, 9, 7), u""},
      {u"gggg", At(1868, 9, 7), u"　　"},
      {u"GGGG", At(1868, 9, 7), u"　　　　　"},
  });
}

TEST(FormatDateTimeEx, YearsAndYearsOfTheEra) {
  ExpectFormats({
      {u"yyyy/mm/dd", kSunday, u"2003/01/05"},
      {u"YYYY/MM/DD", kSunday, u"2003/ 1/ 5"},
      {u"y", kSunday, u"3"},
      {u"yy", kSunday, u"03"},
      {u"Y", kSunday, u"3"},
      {u"YY", kSunday, u" 3"},
      {u"yyy", kSunday, u"2003"},
      {u"yyyyyy", kSunday, u"2003"},
      {u"yyyy", At(999, 6, 1), u"0999"},
      {u"YYYY", At(999, 6, 1), u" 999"},
      {u"yyy", At(999, 6, 1), u"999"},
      {u"ee", At(1989, 1, 8), u"01"},
      {u"EE", At(1989, 1, 8), u" 1"},
      {u"eee", kSunday, u"15"},
      {u"e", At(1868, 9, 7), u"68"},
      {u"eeee", At(1850, 1, 1), u"1850"},
      {u"EEE", At(1850, 1, 1), u"1850"},
      {u"EE", At(1805, 1, 1), u" 5"},
  });
}

TEST(FormatDateTimeEx, SexagenaryCycleOfTheYear) {
  ExpectFormats({
      {u"jjjjjj", At(1984, 6, 1), u"甲子"},
      {u"JJJJJJ", At(1984, 6, 1), u"きのえね"},
      {u"jjjjj", At(1984, 6, 1), u"鼠"},
      {u"jj", At(1984, 6, 1), u"甲"},
      {u"jjj", At(1984, 6, 1), u"甲"},
      {u"JJ", At(1984, 6, 1), u"きのえ"},
      {u"JJJ", At(1984, 6, 1), u"きのえ　"},
      {u"jjjj", At(1984, 6, 1), u"子"},
      {u"JJJJ", At(1984, 6, 1), u"ね"},
      {u"JJJJJ", At(1984, 6, 1), u"ね　　"},
      {u"jjjjjjj", At(1984, 6, 1), u"甲鼠"},
      {u"JJJJJJJ", At(1984, 6, 1), u"きのえね　　　"},
      {u"j", At(1984, 6, 1), u"j"},
      {u"J", At(1984, 6, 1), u"J"},
      {u"jjjjjj", At(2024, 6, 1), u"甲辰"},
      {u"jjjjjj", At(2023, 6, 1), u"癸卯"},
      {u"JJ", At(2023, 6, 1), u"みずのと"},
      {u"jjjjjjj", At(2020, 6, 1), u"庚鼠"},
      {u"JJJJ", At(1983, 6, 1), u"ゐ"},
      {u"JJJJJJ", At(2025, 6, 1), u"きのとみ"},
      {u"JJJJJJ", At(2026, 6, 1), u"ひのえうま"},
  });
}

TEST(FormatDateTimeEx, LeapYearMark) {
  ExpectFormats({
      {u"L", At(2024, 6, 1), u"閏"},
      {u"l", At(2024, 6, 1), u"閏"},
      {u"LL", At(2000, 6, 1), u"閏"},
      {u"L", At(2023, 6, 1), u""},
      {u"LL", At(2023, 6, 1), u"　"},
      {u"ll", At(2023, 6, 1), u"平"},
      {u"lll", At(1900, 6, 1), u"平"},
  });
}

TEST(FormatDateTimeEx, MonthNumbersAndEnglishNames) {
  ExpectFormats({
      {u"m", kSunday, u"1"},
      {u"mm", kSunday, u"01"},
      {u"M", kSunday, u"1"},
      {u"MM", kSunday, u" 1"},
      {u"mm", At(2003, 11, 11), u"11"},
      {u"mmm", kSunday, u"Jan"},
      {u"MMM", kSunday, u"JAN"},
      {u"mmmm", kSunday, u"January"},
      {u"MMMM", kSunday, u"JANUARY"},
      {u"mmmmm", kSunday, u"January  "},
      {u"mmmmm", At(2003, 5, 5), u"May      "},
      {u"MMMMM", At(2003, 9, 10), u"SEPTEMBER"},
      {u"mmmmmm", kSunday, u"Ｊａｎ"},
      {u"MMMMMM", kSunday, u"ＪＡＮ"},
      {u"mmmmmm", At(2003, 5, 5), u"Ｍａｙ"},
      {u"mmmmmmm", kSunday, u"Ｊａｎｕａｒｙ"},
      {u"MMMMMMM", kSunday, u"ＪＡＮＵＡＲＹ"},
      {u"mmmmmmmm", kSunday, u"Ｊａｎｕａｒｙ　　"},
      {u"mmmmmmmm", At(2003, 9, 10), u"Ｓｅｐｔｅｍｂｅｒ"},
  });
}

TEST(FormatDateTimeEx, TraditionalAndKanaMonthNames) {
  ExpectFormats({
      {u"k", kSunday, u"k"},
      {u"K", kSunday, u"K"},
      {u"kk", kSunday, u"睦"},
      {u"KK", kSunday, u"むつ"},
      {u"kkk", kSunday, u"睦月"},
      {u"KKK", kSunday, u"むつき"},
      {u"kkkk", kSunday, u"睦月"},
      {u"KKKK", kSunday, u"むつき"},
      {u"kkkkk", kSunday, u"睦月　"},
      {u"KKKKK", kSunday, u"むつき　　"},
      {u"kkkkkk", kSunday, u"ジャニュアリー"},
      {u"KKKKKK", kSunday, u"じゃにゅありー"},
      {u"kkkkkkk", kSunday, u"ジャニュアリー"},
      {u"KKKKKKK", kSunday, u"じゃにゅありー"},
      {u"kkk", At(2003, 6, 1), u"水無"},
      {u"kkkk", At(2003, 6, 1), u"水無月"},
      {u"kkkkk", At(2003, 6, 1), u"水無月"},
      {u"KKK", At(2003, 6, 1), u"みなづ"},
      {u"KKKKK", At(2003, 6, 1), u"みなづき　"},
      {u"KKKKK", At(2003, 10, 10), u"かんなづき"},
      {u"kkkkkk", At(2003, 11, 11), u"ノヴェンバー"},
      {u"KKKKKK", At(2003, 11, 11), u"のう゛ぇんばー"},
      {u"kkkkkkk", At(2003, 5, 5), u"メイ　　　　　"},
      {u"KKKK", At(2003, 12, 1), u"しわす"},
  });
}

TEST(FormatDateTimeEx, DaysAndEnglishWeekdays) {
  ExpectFormats({
      {u"d", kSunday, u"5"},
      {u"dd", kSunday, u"05"},
      {u"D", kSunday, u"5"},
      {u"DD", kSunday, u" 5"},
      {u"ddd", kSunday, u"Sun"},
      {u"DDD", kSunday, u"SUN"},
      {u"dddd", kSunday, u"Sunday"},
      {u"DDDD", kSunday, u"SUNDAY"},
      {u"ddddd", kSunday, u"Sunday   "},
      {u"dddddd", kSunday, u"Ｓｕｎ"},
      {u"DDDDDD", kSunday, u"ＳＵＮ"},
      {u"ddddddd", kSunday, u"Ｓｕｎｄａｙ"},
      {u"DDDDDDD", kSunday, u"ＳＵＮＤＡＹ"},
      {u"dddddddd", kSunday, u"Ｓｕｎｄａｙ　　　"},
      {u"ddd", At(2003, 1, 7), u"Tue"},
      {u"DDDDD", At(2003, 1, 7), u"TUESDAY  "},
      {u"dddddd", At(2003, 1, 7), u"Ｔｕｅ"},
      {u"ddddd", At(2003, 1, 8), u"Wednesday"},
      {u"dddddddd", At(2003, 1, 8), u"Ｗｅｄｎｅｓｄａｙ"},
      {u"ddd", At(2003, 1, 9), u"Thu"},
      {u"dddd", At(2003, 1, 11), u"Saturday"},
      {u"dddd", At(1970, 1, 1), u"Thursday"},
      {u"dddd", At(1600, 2, 29), u"Tuesday"},
  });
}

TEST(FormatDateTimeEx, JapaneseWeekdays) {
  ExpectFormats({
      {u"aa", kSunday, u"日"},
      {u"AA", kSunday, u"にち"},
      {u"aaa", kSunday, u"日"},
      {u"AAA", kSunday, u"にち"},
      {u"aaaa", kSunday, u"日曜日"},
      {u"AAAA", kSunday, u"にちようび"},
      {u"aaaaa", kSunday, u"日曜日"},
      {u"AAAAA", kSunday, u"にちようび"},
      {u"aaaaaa", kSunday, u"サンデー"},
      {u"AAAAAA", kSunday, u"さんでー"},
      {u"aaaaaaa", kSunday, u"サンデー　　"},
      {u"AAAAAAA", kSunday, u"さんでー　　"},
      {u"AAA", At(2003, 1, 7), u"か　"},
      {u"AAAAA", At(2003, 1, 7), u"かようび　"},
      {u"aaaaaa", At(2003, 1, 7), u"チューズデー"},
      {u"aaaaaa", At(2003, 1, 6), u"マンデー"},
      {u"aaaaaaa", At(2003, 1, 8), u"ウェンズデー"},
      {u"aa", At(2003, 1, 11), u"土"},
      {u"AAAAAA", At(2003, 1, 11), u"さたでー"},
      {u"aa", At(1868, 9, 8), u"火"},
  });
}

TEST(FormatDateTimeEx, WeekOfTheMonthAndDaysLeft) {
  ExpectFormats({
      {u"w", kSunday, u"1"},
      {u"w", At(2003, 1, 7), u"1"},
      {u"w", At(2003, 1, 8), u"2"},
      {u"w", At(2003, 1, 31), u"5"},
      {u"ww", kSunday, u"日"},
      {u"WW", kSunday, u"にち"},
      {u"wwww", kSunday, u"日曜日"},
      {u"p", kSunday, u"26"},
      {u"pp", At(2003, 1, 31), u"00"},
      {u"PP", At(2003, 1, 31), u" 0"},
      {u"P", At(2024, 2, 1), u"28"},
      {u"p", At(2023, 2, 1), u"27"},
      {u"p", At(2003, 4, 1), u"29"},
  });
}

TEST(FormatDateTimeEx, ZodiacAndBellHours) {
  ExpectFormats({
      {u"hhh", At(2003, 1, 5, 0, 30), u"子"},        {u"hhh", At(2003, 1, 5, 23, 10), u"子"},
      {u"hhh", At(2003, 1, 5, 1, 0), u"丑"},         {u"hhh", At(2003, 1, 5, 0, 59), u"子"},
      {u"hhh", At(2003, 1, 5, 22, 59), u"亥"},       {u"hhh", At(2003, 1, 5, 11, 0), u"午"},
      {u"hhh", At(2003, 1, 5, 12, 59), u"午"},       {u"HHH", At(2003, 1, 5, 1, 0), u"うし"},
      {u"hhhh", At(2003, 1, 5, 1, 0), u"牛"},        {u"hhhh", At(2003, 1, 5, 23, 10), u"鼠"},
      {u"HHHH", At(2003, 1, 5, 0, 30), u"ね　　"},   {u"HHHH", At(2003, 1, 5, 21, 0), u"ゐ　　"},
      {u"fff", At(2003, 1, 5, 0, 0), u"九つ"},       {u"fff", At(2003, 1, 5, 1, 59), u"九つ"},
      {u"fff", At(2003, 1, 5, 12, 0), u"九つ"},      {u"fff", At(2003, 1, 5, 13, 0), u"九つ"},
      {u"fff", At(2003, 1, 5, 2, 0), u"八つ"},       {u"fff", At(2003, 1, 5, 10, 0), u"四つ"},
      {u"fff", At(2003, 1, 5, 23, 0), u"四つ"},      {u"FFF", At(2003, 1, 5, 23, 0), u"よつ"},
      {u"FFF", At(2003, 1, 5, 6, 0), u"むつ"},       {u"ffff", At(2003, 1, 5, 23, 0), u"四つ　"},
      {u"FFFF", At(2003, 1, 5, 23, 0), u"よつ　　"}, {u"FFFF", At(2003, 1, 5, 0, 0), u"ここのつ"},
  });
}

TEST(FormatDateTimeEx, ClockFields) {
  const LocalDateTime morning = At(2003, 1, 5, 9, 5, 7, 7);
  ExpectFormats({
      {u"h", morning, u"9"},
      {u"hh", morning, u"09"},
      {u"HH", morning, u" 9"},
      {u"f", At(2003, 1, 5, 13, 0), u"1"},
      {u"ff", At(2003, 1, 5, 13, 0), u"01"},
      {u"FF", At(2003, 1, 5, 13, 0), u" 1"},
      {u"f", At(2003, 1, 5, 12, 0), u"0"},
      {u"n", morning, u"5"},
      {u"nn", morning, u"05"},
      {u"NN", morning, u" 5"},
      {u"nnn", At(2003, 1, 5, 13, 7), u"787"},
      {u"nnnn", At(2003, 1, 5, 0, 7), u"0007"},
      {u"NNNN", At(2003, 1, 5, 0, 7), u"   7"},
      {u"s", morning, u"7"},
      {u"ss", morning, u"07"},
      {u"SS", morning, u" 7"},
      {u"sss", At(2003, 1, 5, 1, 0, 1), u"3601"},
      {u"ssss", At(2003, 1, 5, 0, 0, 9), u"00009"},
      {u"SSSS", At(2003, 1, 5, 0, 0, 9), u"    9"},
      {u"z", morning, u"7"},
      {u"zz", morning, u"007"},
      {u"ZZ", morning, u"  7"},
      {u"zzz", At(2003, 1, 5, 0, 0, 0, 123), u"123"},
  });
}

// Expected day numbers from Python's date.toordinal() + 1721425.
TEST(FormatDateTimeEx, JulianDayNumberTurnsAtNoon) {
  ExpectFormats({
      {u"u", At(2000, 1, 1, 11, 0), u"2451545"},
      {u"u", At(2000, 1, 1, 11, 59, 59), u"2451545"},
      {u"u", At(2000, 1, 1, 12, 0), u"2451546"},
      {u"u", At(1858, 11, 17), u"2400001"},
      {u"u", At(1970, 1, 1), u"2440588"},
      {u"u", At(2024, 2, 29), u"2460370"},
      {u"u", At(2024, 3, 1), u"2460371"},
      {u"u", At(1600, 2, 29), u"2305507"},
      {u"u", At(1900, 3, 1), u"2415080"},
      {u"uuuuuuuu", At(2000, 1, 1), u"02451545"},
      {u"UUUUUUUU", At(2000, 1, 1), u" 2451545"},
  });
}

}  // namespace
}  // namespace orvane::test
