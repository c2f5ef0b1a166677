#include "checks/Punycode.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace orvane {

namespace {

// The parameters of Punycode, RFC 3492 section 5.
constexpr std::uint32_t kBase = 36;
constexpr std::uint32_t kTMin = 1;
constexpr std::uint32_t kTMax = 26;
constexpr std::uint32_t kSkew = 38;
constexpr std::uint32_t kDamp = 700;
constexpr std::uint32_t kInitialBias = 72;
constexpr std::uint32_t kInitialN = 0x80;
constexpr std::uint32_t kMaxInt = std::numeric_limits<std::uint32_t>::max();

// Section 6.1.
std::uint32_t Adapt(std::uint32_t delta, std::uint32_t points, bool first) {
  delta = first ? delta / kDamp : delta / 2;
  delta += delta / points;
  std::uint32_t k = 0;
  while (delta > ((kBase - kTMin) * kTMax) / 2) {
    delta /= kBase - kTMin;
    k += kBase;
  }
  return k + (kBase - kTMin + 1) * delta / (delta + kSkew);
}

// A digit's value; kBase for a character that is no digit.
std::uint32_t DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0' + 26;
  if (c >= u'a' && c <= u'z') return c - u'a';
  if (c >= u'A' && c <= u'Z') return c - u'A';
  return kBase;
}

}  // namespace

std::optional<WideString> DecodePunycode(std::u16string_view encoded) {
  std::vector<std::uint32_t> output;
  const size_t delimiter = encoded.rfind(u'-');
  size_t in = 0;
  if (delimiter != std::u16string_view::npos) {
    for (char16_t c : encoded.substr(0, delimiter)) {
      if (c >= 0x80) return std::nullopt;
      output.push_back(c);
    }
    in = delimiter + 1;
  }
  std::uint32_t n = kInitialN;
  std::uint32_t bias = kInitialBias;
  std::uint32_t i = 0;
  while (in < encoded.size()) {
    const std::uint32_t oldI = i;
    std::uint32_t w = 1;
    for (std::uint32_t k = kBase;; k += kBase) {
      if (in >= encoded.size()) return std::nullopt;
      const std::uint32_t digit = DigitValue(encoded[in++]);
      if (digit >= kBase || digit > (kMaxInt - i) / w) return std::nullopt;
      i += digit * w;
      const std::uint32_t t = k <= bias ? kTMin : k >= bias + kTMax ? kTMax : k - bias;
      if (digit < t) break;
      if (w > kMaxInt / (kBase - t)) return std::nullopt;
      w *= kBase - t;
    }
    const auto points = static_cast<std::uint32_t>(output.size() + 1);
    bias = Adapt(i - oldI, points, oldI == 0);
    if (i / points > kMaxInt - n) return std::nullopt;
    n += i / points;
    i %= points;
    if (n > 0x10FFFF || (n >= 0xD800 && n <= 0xDFFF)) return std::nullopt;
    output.insert(output.begin() + i, n);
    ++i;
  }
  WideString text;
  for (std::uint32_t c : output) {
    if (c < 0x10000) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return text;
}

}  // namespace orvane
