// ISO-2022-KR (RFC 1557): KS X 1001 designated once into G1, shifted in with
// SO and out with SI.

#include "mime/CharSet.h"
#include "mime/DoubleByteTable.h"
#include "mime/Iso2022Bytes.h"
#include "mime/ShiftedRunEncoder.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr int kUhcCodePage = 949;
constexpr std::string_view kDesignateKorean = "\x1B$)C";

bool IsIntermediateByte(unsigned char b) {
  return b >= 0x20 && b <= 0x2F;
}
bool IsFinalByte(unsigned char b) {
  return b >= 0x30 && b <= 0x7E;
}

// The length of the ISO 2022 escape sequence at the start of bytes (ESC,
// intermediate bytes, one final byte), cut short by the end of the text.
size_t EscapeLength(std::string_view bytes) {
  size_t len = 1;
  while (len < bytes.size() && IsIntermediateByte(static_cast<unsigned char>(bytes[len]))) ++len;
  if (len < bytes.size() && IsFinalByte(static_cast<unsigned char>(bytes[len]))) ++len;
  return len;
}

}  // namespace

AnsiString Iso2022KrEncode(const WideString& text, bool& failed) {
  static constexpr ShiftMarks kMarks{"\x0E", "\x0F", false};
  std::u16string_view view = text;
  view = view.substr(0, view.find(u'\0'));
  AnsiString out(kDesignateKorean);
  EncodeShiftedRuns(view, DoubleByteTable::ForCodePage(kUhcCodePage), kMarks,
                    DefaultCharOf(kUhcCodePage), out, failed);
  return out;
}

WideString Iso2022KrDecode(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const auto& table = DoubleByteTable::ForCodePage(kUhcCodePage);
  WideString out;
  out.reserve(bytes.size());
  bool designated = false;
  bool shifted = false;  // SO seen; pairs are Korean only once designated
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    auto b = static_cast<unsigned char>(bytes[i]);
    auto next = i + 1 < n ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    if (b == 0x1B) {
      if (bytes.substr(i, kDesignateKorean.size()) == kDesignateKorean) {
        designated = true;
        i += kDesignateKorean.size();
        continue;
      }
      size_t len = EscapeLength(bytes.substr(i));
      for (size_t k = 0; k < len; ++k)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i + k])));
      i += len;
    } else if (b == kShiftOut || b == kShiftIn) {
      shifted = b == kShiftOut;
      ++i;
    } else if (b == '\r' && next == '\n') {
      // Every line starts in ASCII (RFC 1557); the designation stays.
      shifted = false;
      out.append(u"\r\n");
      i += 2;
    } else if (shifted && designated && IsSevenBitPairByte(b) && IsSevenBitPairByte(next)) {
      out.push_back(table.Decode(b, next));
      i += 2;
    } else {
      // ISO-2022-KR is 7-bit: a byte above 0x7F is not a character.
      out.push_back(b < 0x80 ? static_cast<char16_t>(b) : u'\uFFFD');
      ++i;
    }
  }
  return out;
}

}  // namespace orvane
