#pragma once

#include <string_view>

namespace orvane {

// Steps through the lines of text, split at CR LF, CR or LF; a line break
// at the very end begins no further line. Gives the line at pos and moves
// pos past its line break; false when no line is left.
inline bool NextLine(std::string_view text, size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  size_t end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = text.size();
  line = text.substr(pos, end - pos);
  pos = end;
  if (pos < text.size() && text[pos] == '\r') {
    ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  } else if (pos < text.size()) {
    ++pos;
  }
  return true;
}

}  // namespace orvane
