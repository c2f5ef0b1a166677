#pragma once

#include <string_view>

namespace orvane::calendar_names {

using Name = std::u16string_view;

// The sexagenary cycle: ten stems and twelve branches. A stem's reading is
// its element's reading followed by "のえ" (even index) or "のと" (odd).
inline constexpr Name kStems[10] = {u"甲", u"乙", u"丙", u"丁", u"戊",
                                    u"己", u"庚", u"辛", u"壬", u"癸"};
inline constexpr Name kElementReadings[5] = {u"き", u"ひ", u"つち", u"か", u"みず"};
inline constexpr Name kElderSuffix = u"のえ";
inline constexpr Name kYoungerSuffix = u"のと";
inline constexpr Name kBranches[12] = {u"子", u"丑", u"寅", u"卯", u"辰", u"巳",
                                       u"午", u"未", u"申", u"酉", u"戌", u"亥"};
inline constexpr Name kAnimals[12] = {u"鼠", u"牛", u"虎", u"兎", u"竜", u"蛇",
                                      u"馬", u"羊", u"猿", u"鳥", u"犬", u"猪"};
inline constexpr Name kBranchReadings[12] = {u"ね",   u"うし",   u"とら", u"う",   u"たつ", u"み",
                                             u"うま", u"ひつじ", u"さる", u"とり", u"いぬ", u"ゐ"};

// The six bell hours, from midnight and from noon.
inline constexpr Name kBellHours[6] = {u"九つ", u"八つ", u"七つ", u"六つ", u"五つ", u"四つ"};
inline constexpr Name kBellReadings[6] = {u"ここのつ", u"やつ",   u"ななつ",
                                          u"むつ",     u"いつつ", u"よつ"};

// Month names, January first. The full-width forms of the English names are
// derived from these.
inline constexpr Name kEnglishMonths[12] = {u"January",   u"February", u"March",    u"April",
                                            u"May",       u"June",     u"July",     u"August",
                                            u"September", u"October",  u"November", u"December"};
inline constexpr Name kKatakanaMonths[12] = {u"ジャニュアリー", u"フェブラリー", u"マーチ",
                                             u"エイプリル",     u"メイ",         u"ジューン",
                                             u"ジュライ",       u"オーガスト",   u"セプテンバー",
                                             u"オクトーバー",   u"ノヴェンバー", u"ディセンバー"};
inline constexpr Name kHiraganaMonths[12] = {u"じゃにゅありー", u"ふぇぶらりー",   u"まーち",
                                             u"えいぷりる",     u"めい",           u"じゅーん",
                                             u"じゅらい",       u"おーがすと",     u"せぷてんばー",
                                             u"おくとーばー",   u"のう゛ぇんばー", u"でぃせんばー"};
inline constexpr Name kTraditionalMonths[12] = {u"睦月", u"如月",   u"弥生", u"卯月",
                                                u"皐月", u"水無月", u"文月", u"葉月",
                                                u"長月", u"神無月", u"霜月", u"師走"};
inline constexpr Name kTraditionalMonthReadings[12] = {
    u"むつき",   u"きさらぎ", u"やよい",   u"うづき",     u"さつき",   u"みなづき",
    u"ふみつき", u"はづき",   u"ながつき", u"かんなづき", u"しもつき", u"しわす"};

// Weekday stems, Sunday first, each completed by the suffix of its form.
inline constexpr Name kEnglishWeekdays[7] = {u"Sun",   u"Mon", u"Tues", u"Wednes",
                                             u"Thurs", u"Fri", u"Satur"};
inline constexpr Name kEnglishDaySuffix = u"day";
inline constexpr Name kKatakanaWeekdays[7] = {u"サン",   u"マン",   u"チューズ", u"ウェンズ",
                                              u"サーズ", u"フライ", u"サタ"};
inline constexpr Name kKatakanaDaySuffix = u"デー";
inline constexpr Name kHiraganaWeekdays[7] = {u"さん",   u"まん",   u"ちゅーず", u"うぇんず",
                                              u"さーず", u"ふらい", u"さた"};
inline constexpr Name kHiraganaDaySuffix = u"でー";
inline constexpr Name kKanjiWeekdays[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
inline constexpr Name kKanjiDaySuffix = u"曜日";
inline constexpr Name kKanjiWeekdayReadings[7] = {u"にち", u"げつ", u"か", u"すい",
                                                  u"もく", u"きん", u"ど"};
inline constexpr Name kKanjiReadingDaySuffix = u"ようび";

inline constexpr char16_t kKanjiDigits[10] = {u'〇', u'一', u'二', u'三', u'四',
                                              u'五', u'六', u'七', u'八', u'九'};

inline constexpr char16_t kIdeographicSpace = u'\u3000';

}  // namespace orvane::calendar_names
