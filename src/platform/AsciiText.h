#pragma once

#include <string>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The small text primitives every layer shares. Only ASCII letters change
// case: a byte of a multi-byte character is never taken for a letter.

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

constexpr char16_t AsciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

std::string ToAsciiLower(std::string_view text);
WideString ToAsciiLower(std::u16string_view text);
WideString ToAsciiUpper(std::u16string_view text);

// The full-width form of a printable ASCII character ("A" gives U+FF21):
// U+0021-U+007E and U+FF01-U+FF5E lie at a fixed distance. Other
// characters, the space included, stay as they are.
constexpr char16_t FullWidthForm(char16_t c) {
  return c >= 0x21 && c <= 0x7E ? static_cast<char16_t>(c - 0x21 + 0xFF01) : c;
}

// Equal when ASCII letters are compared without case.
bool SameAsciiText(std::string_view a, std::string_view b);
bool SameAsciiText(std::u16string_view a, std::u16string_view b);
bool StartsWithAsciiText(std::string_view text, std::string_view prefix);

// A blank in the wide sense of the command line and the mail texts: the
// space and every control character below it.
constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
constexpr bool IsBlankOrControl(char16_t c) {
  return c <= u' ';
}

// The text without blanks and control characters at its start, its end, or
// both.
std::string_view TrimLeft(std::string_view text);
std::u16string_view TrimLeft(std::u16string_view text);
std::string_view TrimRight(std::string_view text);
std::u16string_view TrimRight(std::u16string_view text);
std::string_view Trim(std::string_view text);
std::u16string_view Trim(std::u16string_view text);

// The text on one line: each CR and each LF becomes a blank.
WideString OneLine(WideString text);

}  // namespace orvane
