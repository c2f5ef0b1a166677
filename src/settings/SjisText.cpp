#include "settings/SjisText.h"

#include "platform/AsciiText.h"

namespace orvane {

namespace {

// The length of the character at the start of the text: 2 for a lead byte
// followed by anything, 1 otherwise.
size_t CharLength(std::string_view text, size_t at) {
  return IsSjisLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

bool IsSjisLeadByte(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool SameSjisText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    size_t n = CharLength(a, i);
    if (n == 2) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

size_t FindSjisChar(std::string_view text, char c) {
  for (size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (text[i] == c) return i;
  return std::string_view::npos;
}

std::string_view TruncateSjis(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t end = 0;
  while (end < text.size()) {
    size_t n = CharLength(text, end);
    if (end + n > maxBytes) break;
    end += n;
  }
  return text.substr(0, end);
}

}  // namespace orvane
