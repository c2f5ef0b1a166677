#include "platform/Fingerprint.h"

#include <cctype>

namespace orvane {

AnsiString FingerprintText(const unsigned char* digest, std::size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  AnsiString text;
  for (std::size_t i = 0; i < size; ++i) {
    if (i > 0) text += ':';
    text += digits[digest[i] >> 4];
    text += digits[digest[i] & 15];
  }
  return text;
}

std::optional<AnsiString> NormalizeFingerprint(std::string_view text) {
  unsigned char bytes[32];
  std::size_t count = 0;
  int high = -1;
  for (char c : text) {
    if (c == ':' || c == ' ' || c == '\t') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c)) || count == sizeof bytes) return std::nullopt;
    int nibble = std::isdigit(static_cast<unsigned char>(c))
                     ? c - '0'
                     : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    if (high < 0) {
      high = nibble;
    } else {
      bytes[count++] = static_cast<unsigned char>(high << 4 | nibble);
      high = -1;
    }
  }
  if (count != sizeof bytes || high >= 0) return std::nullopt;
  return FingerprintText(bytes, sizeof bytes);
}

}  // namespace orvane
