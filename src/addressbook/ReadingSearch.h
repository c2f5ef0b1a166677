#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "addressbook/MailItem.h"

namespace orvane {

// The buttons and menu entries of the search by reading: one per row of
// the kana table, then ん, then the Latin letters ("A").
enum class ReadingRow { kA, kKa, kSa, kTa, kNa, kHa, kMa, kYa, kRa, kWa, kN, kLatin };

// Whether a reading starts with a character of the row. The kana rows
// compare the first character as hiragana, so a reading in katakana of
// either width is found too; the Latin row takes the first character to
// half width and lower case and asks for "a" to "z".
bool ReadingStartsInRow(const WideString& kana, ReadingRow row);

// The next contact whose reading starts in the row: the search starts
// after the first selected contact (at the first when none is selected),
// walks to the end and then once more from the first. nullopt without a
// match.
std::optional<size_t> FindByReading(const std::vector<TMailItem>& items,
                                    std::optional<size_t> firstSelected, ReadingRow row);

}  // namespace orvane
