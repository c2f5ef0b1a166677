#include "mime/ShiftedRunEncoder.h"

namespace orvane {

void EncodeShiftedRuns(std::u16string_view text, const DoubleByteTable& table,
                       const ShiftMarks& marks, char defaultChar, AnsiString& out, bool& failed) {
  out.reserve(out.size() + text.size() * 2 + 8);
  bool shifted = false;
  auto shiftOut = [&] {
    if (shifted) out.append(marks.shiftOut);
    shifted = false;
  };
  for (char16_t c : text) {
    if (c < 0x7F) {
      shiftOut();
      out.push_back(static_cast<char>(c));
      if (c == u'~' && marks.doubleTilde) out.push_back('~');
      continue;
    }
    std::uint16_t pair = table.Encode(c);
    if (pair == 0) {
      shiftOut();
      out.push_back(defaultChar);
      failed = true;
      continue;
    }
    if (!shifted) out.append(marks.shiftIn);
    shifted = true;
    out.push_back(static_cast<char>(pair >> 8));
    out.push_back(static_cast<char>(pair & 0xFF));
  }
  shiftOut();
}

}  // namespace orvane
