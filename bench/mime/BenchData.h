#pragma once

#include <cstddef>

#include "platform/Types.h"

namespace orvane::bench {

// `units` UTF-16 units of Japanese prose from a fixed seed: runs of kanji,
// hiragana and katakana, full-width punctuation, ASCII words and CR LF line
// breaks about every 40 characters. Every character is in JIS X 0208 and
// maps the same way in code page 932 and in ISO-2022-JP, so every converter
// compared must give it back unchanged. Ends with CR LF.
WideString JapaneseText(std::size_t units);

}  // namespace orvane::bench
