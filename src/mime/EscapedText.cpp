// Recognising raw ISO-2022-JP, ISO-2022-KR and HZ text that arrives in a
// header without MIME encoding.

#include "mime/CharSet.h"

namespace orvane {

bool DecodeEscapedText(std::string_view bytes, WideString& text, TMimeCharSet& charset) {
  bytes = bytes.substr(0, bytes.find('\0'));
  text.clear();
  // "~{" counts only when a "~}" follows somewhere; one search for the last
  // "~}" answers that for every "~{".
  const size_t lastHzEnd = bytes.rfind("~}");
  const size_t n = bytes.size();
  size_t i = 0;
  while (i + 1 < n) {
    if (bytes[i] == '~' && bytes[i + 1] == '{' && lastHzEnd != std::string_view::npos &&
        lastHzEnd > i + 1) {
      text = HzDecode(bytes);
      charset = mcsGB2312HZ;
      return true;
    }
    if (bytes[i] != '\x1B' || bytes[i + 1] != '$' || i + 2 == n) {
      ++i;
      continue;
    }
    const char designation = bytes[i + 2];
    if (designation == ')' && i + 3 < n && bytes[i + 3] == 'C') {
      text = Iso2022KrDecode(bytes);
      charset = mcsISO_2022_KR;
      return true;
    }
    if (designation == '@' || designation == 'B') {
      text = JisToWide(bytes);
      charset = mcsISO_2022_JP;
      return true;
    }
    i += 3;  // another two-byte designation decides nothing
  }
  return false;
}

}  // namespace orvane
