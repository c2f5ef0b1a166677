#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Code page 932 (Shift_JIS as Windows defines it). Both Unicode forms of the
// characters that code page 932 and JIS X 0208 map differently encode (a
// Linux input method types WAVE DASH U+301C where Windows has U+FF5E);
// decoding gives the code page 932 form. An unrepresentable character
// becomes "?"; an invalid byte sequence decodes as U+30FB, except the single
// bytes 0x80, 0xA0 and 0xFD to 0xFF, which decode as Windows decodes them so
// that they survive a round trip.
AnsiString WideToSjis(std::u16string_view text, bool* usedDefault = nullptr);
WideString SjisToWide(std::string_view bytes);
// Whether the text comes back from Shift_JIS as it was: every character
// has a code, and decoding gives the same form (WAVE DASH U+301C would come
// back as FULLWIDTH TILDE).
bool SjisRoundTrips(std::u16string_view text);

// The halves of a UTF-16 surrogate pair.
constexpr bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-8 for the file system, the command line and the user's text files.
// Invalid UTF-8 decodes as U+FFFD per bad byte; a lone surrogate encodes as
// U+FFFD.
std::string WideToUtf8(std::u16string_view text);
WideString Utf8ToWide(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// The platform conversion for the other Windows code pages (936, 949, 950,
// 1252, 28592-28598, 51949, 65000 UTF-7, 65001 UTF-8; 932 as above).
// Unrepresentable characters become the code page's default character and
// set usedDefault; invalid input bytes decode as U+FFFD. nullopt when the
// code page is not one of these.
std::optional<AnsiString> EncodeCodePage(std::u16string_view text, int codePage,
                                         bool* usedDefault = nullptr);
std::optional<WideString> DecodeCodePage(std::string_view bytes, int codePage);

// The byte written for an unrepresentable character.
char DefaultCharOf(int codePage);

}  // namespace orvane
