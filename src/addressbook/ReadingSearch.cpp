#include "addressbook/ReadingSearch.h"

#include <array>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/KanaText.h"

namespace orvane {
namespace {

// The first characters of each kana row; the ideographic space stands in
// the rows わ and ん.
constexpr std::array<std::u16string_view, 11> kRows = {
    u"あいうえお",
    u"かきくけこがぎぐげご",
    u"さしすせそざじずぜぞ",
    u"たちつてとだぢづでど",
    u"なにぬねの",
    u"はひふへほばびぶべぼぱぴぷぺぽ",
    u"まみむめも",
    u"やいゆえよ",
    u"らりるれろ",
    u"わ\u3000を",
    u"ん\u3000",
};

// The reading's first character as full-width hiragana; two units, so
// that a half-width kana keeps its voiced mark.
char16_t FirstAsHiragana(const WideString& kana) {
  return ToFullHiragana(std::u16string_view(kana).substr(0, 2))[0];
}

}  // namespace

bool ReadingStartsInRow(const WideString& kana, ReadingRow row) {
  if (kana.empty()) return false;
  if (row == ReadingRow::kLatin) {
    char16_t first = AsciiLower(ToHalfWidth(std::u16string_view(kana).substr(0, 1))[0]);
    return first >= u'a' && first <= u'z';
  }
  return kRows[static_cast<size_t>(row)].find(FirstAsHiragana(kana)) != std::u16string_view::npos;
}

std::optional<size_t> FindByReading(const std::vector<TMailItem>& items,
                                    std::optional<size_t> firstSelected, ReadingRow row) {
  size_t start = firstSelected ? *firstSelected + 1 : 0;
  for (size_t i = start; i < items.size(); ++i)
    if (ReadingStartsInRow(items[i].Kana, row)) return i;
  for (size_t i = 0; i < items.size(); ++i)
    if (ReadingStartsInRow(items[i].Kana, row)) return i;
  return std::nullopt;
}

}  // namespace orvane
