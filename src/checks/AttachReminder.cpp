#include "checks/AttachReminder.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/WidthFolding.h"

namespace orvane {

namespace {

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

char16_t Folded(char16_t c) {
  return AsciiLower(FoldFullWidthAscii(c));
}

WideString Folded(std::u16string_view text) {
  WideString folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char16_t c) { return Folded(c); });
  return folded;
}

}  // namespace

std::vector<std::u16string_view> WrittenLines(std::u16string_view body,
                                              std::u16string_view signature) {
  std::vector<std::u16string_view> lines = SplitLines(body);
  lines.resize(lines.size() - std::min(SplitLines(signature).size(), lines.size()));
  return lines;
}

bool IsQuotedLine(std::u16string_view line) {
  for (char16_t c : line) {
    c = Folded(c);
    if (IsBlankOrControl(c)) continue;
    return c == u'>' || c == u'|';
  }
  return false;
}

bool MentionsAttachment(const std::vector<std::u16string_view>& lines,
                        const std::vector<WideString>& words) {
  std::vector<WideString> foldedWords;
  for (const WideString& word : words) foldedWords.push_back(Folded(word));
  for (std::u16string_view line : lines) {
    if (IsQuotedLine(line)) continue;
    const WideString folded = Folded(line);
    for (const WideString& word : foldedWords)
      if (folded.find(word) != WideString::npos) return true;
  }
  return false;
}

}  // namespace orvane
