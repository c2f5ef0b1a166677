#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "mime/CharSet.h"
#include "platform/Types.h"

namespace orvane {

// The characters of the texts that a message in the charset carries only
// through a vendor extension (the NEC special characters such as "①" and
// "㈱", the IBM extension kanji, user-defined characters, and half-width
// katakana, which ISO-2022-JP turns to full width) or cannot carry at all
// (they send the text to the Unicode fallback). Each distinct character
// once, in the order of its first appearance, followed by " → " and a common
// replacement where there is one; an invisible character is named by its
// code ("U+00A0"). UTF-7 and UTF-8 carry every character; every other
// charset of the encoding setting writes Japanese text as ISO-2022-JP.
std::vector<WideString> FindVendorCharacters(std::initializer_list<std::u16string_view> texts,
                                             TMimeCharSet charset);

}  // namespace orvane
