#include "addressbook/PzConv.h"

#include "platform/CodePage.h"

namespace orvane {

WideString TPzConv::Encode(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  WideString out;
  for (char c : WideToSjis(text)) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) {
      out += u'%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    } else {
      out += b == ' ' ? u'+' : static_cast<char16_t>(b);
    }
  }
  return out;
}

}  // namespace orvane
