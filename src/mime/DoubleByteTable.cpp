#include "mime/DoubleByteTable.h"

#include <optional>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Types.h"

namespace orvane {

// Every pair and every character is converted on its own: that is what the
// tables promise, and it keeps glibc's converters from stepping differently
// over unassigned pairs or re-running a long conversion at each character
// they lack. Building both tables takes a few tens of milliseconds, once.
DoubleByteTable::DoubleByteTable(int codePage) {
  decode_.fill(u'\uFFFD');
  for (int first = 0xA1; first <= 0xFE; ++first) {
    for (int second = 0xA1; second <= 0xFE; ++second) {
      const char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
      std::optional<WideString> text = DecodeCodePage(std::string_view(pair, 2), codePage);
      if (text && text->size() == 1) decode_[(first - 0xA1) * 94 + (second - 0xA1)] = (*text)[0];
    }
  }

  for (char32_t c = 0x7F; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const auto unit = static_cast<char16_t>(c);
    std::optional<AnsiString> bytes = EncodeCodePage(std::u16string_view(&unit, 1), codePage);
    if (!bytes || bytes->size() != 2) continue;
    auto b1 = static_cast<unsigned char>((*bytes)[0]);
    auto b2 = static_cast<unsigned char>((*bytes)[1]);
    if (b1 >= 0xA1 && b1 <= 0xFE && b2 >= 0xA1 && b2 <= 0xFE)
      encode_[unit] = static_cast<std::uint16_t>((b1 & 0x7F) << 8 | (b2 & 0x7F));
  }
}

const DoubleByteTable& DoubleByteTable::ForCodePage(int codePage) {
  if (codePage == 949) {
    static const auto* ksc = new DoubleByteTable(949);
    return *ksc;
  }
  static const auto* gb = new DoubleByteTable(936);
  return *gb;
}

}  // namespace orvane
