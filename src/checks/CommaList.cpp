#include "checks/CommaList.h"

#include <algorithm>

#include "platform/AsciiText.h"

namespace orvane {

std::vector<WideString> SplitCommaList(std::u16string_view text) {
  std::vector<WideString> entries;
  size_t i = 0;
  const size_t n = text.size();
  auto skipSeparators = [&] {
    while (i < n && (IsBlankOrControl(text[i]) || text[i] == u',')) ++i;
  };
  skipSeparators();
  while (i < n) {
    WideString entry;
    if (text[i] == u'"') {
      for (++i; i < n; ++i) {
        if (text[i] != u'"') {
          entry += text[i];
        } else if (i + 1 < n && text[i + 1] == u'"') {
          entry += u'"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      while (i < n && !IsBlankOrControl(text[i]) && text[i] != u',') entry += text[i++];
    }
    if (!entry.empty()) entries.push_back(std::move(entry));
    skipSeparators();
  }
  return entries;
}

std::vector<WideString> CombineList(std::span<const char16_t* const> builtIns,
                                    std::u16string_view list) {
  std::vector<WideString> combined(builtIns.begin(), builtIns.end());
  for (WideString& entry : SplitCommaList(list)) {
    auto same = [&](const WideString& known) { return SameAsciiText(known, entry); };
    if (std::none_of(combined.begin(), combined.end(), same)) combined.push_back(std::move(entry));
  }
  return combined;
}

}  // namespace orvane
