#pragma once

namespace orvane {

// The full-width forms of the ASCII characters (U+FF01 to U+FF5E) and the
// ideographic space as the ASCII characters they stand for; every other
// character as it is. Japanese input methods type Latin letters and signs
// in either width, and a reader takes both for the same text.
constexpr char16_t FoldFullWidthAscii(char16_t c) {
  if (c >= u'\uFF01' && c <= u'\uFF5E') return static_cast<char16_t>(c - (u'\uFF01' - u'!'));
  if (c == u'\u3000') return u' ';
  return c;
}

}  // namespace orvane
