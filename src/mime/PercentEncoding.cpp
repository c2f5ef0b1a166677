#include "mime/PercentEncoding.h"

#include "mime/HexDigits.h"

namespace orvane {
namespace {

bool IsAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

AnsiString Unescape(std::string_view text, bool everyByte) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || text.size() - i < 3) {
      out += text[i];
      continue;
    }
    const int high = UpperHexValue(text[i + 1]);
    const int low = UpperHexValue(text[i + 2]);
    if (high < 0 || low < 0) {
      out += ' ';
      i += 2;
    } else if (high < 8 || everyByte) {
      out += static_cast<char>(high << 4 | low);
      i += 2;
    } else {
      // Bytes from 0x80 up never stood escaped in a 7-bit value: the text
      // is kept as written.
      out += '%';
    }
  }
  return out;
}

}  // namespace

AnsiString PercentEncode(std::string_view bytes, std::string_view keep) {
  AnsiString out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    if (IsAlphanumeric(c) || keep.find(c) != std::string_view::npos) {
      out += c;
    } else {
      const auto b = static_cast<unsigned char>(c);
      out += '%';
      out += kUpperHexDigits[b >> 4];
      out += kUpperHexDigits[b & 15];
    }
  }
  return out;
}

AnsiString PercentDecode(std::string_view text) {
  return Unescape(text, false);
}

AnsiString PercentDecodeUri(std::string_view text, bool plusIsSpace) {
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && text.size() - i >= 3 && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2]));
      i += 2;
    } else {
      out += plusIsSpace && c == '+' ? ' ' : c;
    }
  }
  return out;
}

AnsiString PercentDecodeOctets(std::string_view text) {
  return Unescape(text, true);
}

}  // namespace orvane
