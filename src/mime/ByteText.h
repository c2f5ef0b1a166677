#pragma once

#include <string_view>

#include "platform/AsciiText.h"
#include "platform/Types.h"

namespace orvane {

// Unicode text without its leading spaces and tabs.
inline WideString WithoutLeadingSpaces(const WideString& s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  return s.substr(i);
}

}  // namespace orvane
