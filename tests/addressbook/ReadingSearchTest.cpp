#include <gtest/gtest.h>

#include "addressbook/ReadingSearch.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

std::vector<TMailItem> Readings(std::initializer_list<std::u16string> kana) {
  std::vector<TMailItem> items;
  for (const auto& reading : kana) items.push_back({"", u"", reading, u"", u"", -1});
  return items;
}

TEST(ReadingSearch, EachRowHasItsFirstCharacters) {
  struct Case {
    ReadingRow row;
    std::u16string inRow;
    std::u16string notInRow;
  } cases[] = {
      {ReadingRow::kA, u"あいうえお", u"ぁかやわん"},
      {ReadingRow::kKa, u"かきくけこがぎぐげご", u"ゕさあ"},
      {ReadingRow::kSa, u"さしすせそざじずぜぞ", u"かた"},
      {ReadingRow::kTa, u"たちつてとだぢづでど", u"っな"},
      {ReadingRow::kNa, u"なにぬねの", u"たは"},
      {ReadingRow::kHa, u"はひふへほばびぶべぼぱぴぷぺぽ", u"まな"},
      {ReadingRow::kMa, u"まみむめも", u"はや"},
      {ReadingRow::kYa, u"やいゆえよ", u"ゃあおら"},
      {ReadingRow::kRa, u"らりるれろ", u"やわ"},
      {ReadingRow::kWa, u"わ\u3000 を", u"ゎんら"},
      {ReadingRow::kN, u"ん\u3000", u"わを"},
      // Katakana of either width counts as its hiragana.
      {ReadingRow::kKa, u"カガ", u"サ"},
      {ReadingRow::kHa, u"ﾊ", u"ﾏ"},
      {ReadingRow::kLatin, u"aAzZａＡｚＺ", u"0@[`{あ１"},
  };
  for (const Case& c : cases) {
    for (char16_t first : c.inRow)
      EXPECT_TRUE(ReadingStartsInRow(std::u16string(1, first) + u"x", c.row))
          << static_cast<int>(c.row) << " " << WideToUtf8(std::u16string(1, first));
    for (char16_t first : c.notInRow)
      EXPECT_FALSE(ReadingStartsInRow(std::u16string(1, first) + u"x", c.row))
          << static_cast<int>(c.row) << " " << WideToUtf8(std::u16string(1, first));
    EXPECT_FALSE(ReadingStartsInRow(u"", c.row));
  }
  // Half-width kana with its voiced mark is the voiced hiragana.
  EXPECT_TRUE(ReadingStartsInRow(u"ﾊﾟﾝ", ReadingRow::kHa));
  EXPECT_TRUE(ReadingStartsInRow(u"ｶﾞｯｺｳ", ReadingRow::kKa));
}

TEST(ReadingSearch, StartsAfterTheSelectionAndWrapsAroundOnce) {
  const std::vector<TMailItem> items =
      Readings({u"かとう", u"さとう", u"きむら", u"", u"あべ", u"Ｓｍｉｔｈ", u"こばやし"});
  struct Case {
    std::optional<size_t> selected;
    ReadingRow row;
    std::optional<size_t> found;
  } cases[] = {
      {std::nullopt, ReadingRow::kKa, 0},
      {0, ReadingRow::kKa, 2},
      {2, ReadingRow::kKa, 6},
      {6, ReadingRow::kKa, 0},  // after the last contact: back to the top
      {4, ReadingRow::kSa, 1},
      {1, ReadingRow::kSa, 1},  // the only match is the selected contact
      {std::nullopt, ReadingRow::kLatin, 5},
      {5, ReadingRow::kLatin, 5},
      {3, ReadingRow::kA, 4},
      {std::nullopt, ReadingRow::kTa, std::nullopt},
      {2, ReadingRow::kN, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindByReading(items, c.selected, c.row), c.found)
        << static_cast<int>(c.row) << " after " << c.selected.value_or(99);
  EXPECT_EQ(FindByReading({}, std::nullopt, ReadingRow::kA), std::nullopt);
}

}  // namespace
}  // namespace orvane
