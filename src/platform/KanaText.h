#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Japanese text between half and full width and between hiragana and
// katakana, by the JIS X 0201 / JIS X 0208 kana correspondence and the
// ASCII / full-width forms block.
//
// Full width: ASCII "!" to "~" become U+FF01 to U+FF5E, the space U+3000,
// half-width katakana and punctuation their full-width forms, and a
// half-width kana followed by the voiced or semi-voiced mark becomes the one
// precomposed character ("ｶﾞ" -> "ガ"); a mark on its own becomes "゛"/"゜".
// Half width is the reverse: a voiced katakana splits into kana and mark.
// Hiragana and characters without a form of the other width are unchanged.
WideString ToFullWidth(std::u16string_view text);
WideString ToHalfWidth(std::u16string_view text);

// Hiragana U+3041-U+3096 and the iteration marks "ゝゞ" to the katakana of
// the same sound and back. Half-width katakana, and katakana without a
// hiragana form ("ヷ", "ー"), are unchanged.
WideString ToKatakana(std::u16string_view text);
WideString ToHiragana(std::u16string_view text);

// ToKatakana, then ToHalfWidth.
WideString ToHalfKatakana(std::u16string_view text);
// ToFullWidth, then ToHiragana.
WideString ToFullHiragana(std::u16string_view text);

// Hiragana, katakana of either width, and the marks that go with them
// ("ー", "・", "゛"); false for the empty text.
bool IsKanaText(std::u16string_view text);

}  // namespace orvane
