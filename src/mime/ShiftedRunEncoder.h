#pragma once

#include <string_view>

#include "mime/DoubleByteTable.h"
#include "platform/Types.h"

namespace orvane {

// How a 7-bit double-byte form marks its runs of double-byte characters.
struct ShiftMarks {
  std::string_view shiftIn;   // written before a run of pairs
  std::string_view shiftOut;  // written after it
  bool doubleTilde;           // "~" in single-byte text is written as "~~"
};

// Appends text to out: characters below U+007F as single bytes, the others
// as 7-bit pairs of the table between the shift marks. A character the table
// lacks ends the run and is written as defaultChar, and sets failed.
void EncodeShiftedRuns(std::u16string_view text, const DoubleByteTable& table,
                       const ShiftMarks& marks, char defaultChar, AnsiString& out, bool& failed);

}  // namespace orvane
