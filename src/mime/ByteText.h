#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Small byte-string helpers of the message component. "Blank" means any
// byte up to the space, as the header rules trim.

inline bool IsBlankByte(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlankByte(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankByte(s.back())) s.remove_suffix(1);
  return s;
}

inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline AnsiString LowerAscii(std::string_view s) {
  AnsiString out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// Unicode text without its leading spaces and tabs.
inline WideString WithoutLeadingSpaces(const WideString& s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  return s.substr(i);
}

}  // namespace orvane
