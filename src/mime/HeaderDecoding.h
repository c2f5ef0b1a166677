#pragma once

#include <string_view>

#include "mime/CharSet.h"
#include "platform/Types.h"

namespace orvane {

struct TDecodedHeader {
  WideString Text;
  // The charset of the escape coding, or of the last encoded word decoded;
  // mcsUS_ASCII when there was none.
  TMimeCharSet CharSet = mcsUS_ASCII;
};

// A raw header value: raw escape-coded text (ISO-2022-JP, ISO-2022-KR, HZ)
// when it has such coding, otherwise DecodeEncodedWords.
TDecodedHeader DecodeHeaderText(std::string_view raw);

// The raw bytes taken as Shift_JIS with their RFC 2047 encoded words
// decoded. Blanks between encoded words are dropped; words in charsets
// without a decoder stay as written. Line breaks inside plain text stay
// (Unfold first for one line).
TDecodedHeader DecodeEncodedWords(std::string_view raw);

// True when raw holds at least one encoded word.
bool ContainsEncodedWord(std::string_view raw);

}  // namespace orvane
