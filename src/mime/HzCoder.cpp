// HZ (RFC 1843): GB 2312 in 7-bit text between "~{" and "~}".

#include "mime/CharSet.h"
#include "mime/DoubleByteTable.h"
#include "mime/ShiftedRunEncoder.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr int kGbkCodePage = 936;

}  // namespace

AnsiString HzEncode(const WideString& text, bool& failed) {
  static constexpr ShiftMarks kMarks{"~{", "~}", true};
  std::u16string_view view = text;
  view = view.substr(0, view.find(u'\0'));
  AnsiString out;
  EncodeShiftedRuns(view, DoubleByteTable::ForCodePage(kGbkCodePage), kMarks,
                    DefaultCharOf(kGbkCodePage), out, failed);
  return out;
}

WideString HzDecode(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const auto& table = DoubleByteTable::ForCodePage(kGbkCodePage);
  WideString out;
  out.reserve(bytes.size());
  bool gb = false;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    auto b = static_cast<unsigned char>(bytes[i]);
    auto next = i + 1 < n ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    if (b == '~') {
      if (next == '{' || next == '}') {
        gb = next == '{';
        i += 2;
      } else if (next == '~') {
        out.push_back(u'~');
        i += 2;
      } else {
        // An unknown escape, or "~" before a line break (a soft line end):
        // the tilde goes, and so do the line break and blanks after it.
        ++i;
        while (i < n && (bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == ' ')) ++i;
      }
    } else if (b == '\r' && next == '\n') {
      gb = false;
      out.append(u"\r\n");
      i += 2;
    } else if (gb && IsSevenBitPairByte(b) && IsSevenBitPairByte(next)) {
      out.push_back(table.Decode(b, next));
      i += 2;
    } else {
      // Single bytes, in GB mode too (a control byte, or an odd byte at the
      // end of a run). HZ is 7-bit: a byte above 0x7F is not a character.
      out.push_back(b < 0x80 ? static_cast<char16_t>(b) : u'\uFFFD');
      ++i;
    }
  }
  return out;
}

}  // namespace orvane
