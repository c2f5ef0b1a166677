#include "settings/ProfileBlock.h"

#include <charconv>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/IniFile.h"
#include "settings/SjisText.h"

namespace orvane {

namespace {

constexpr std::string_view kLineCount = "LineCount";
constexpr std::string_view kLinePrefix = "Line";

// The number n of a key "Line<n>" as the writer spells it ("Line01" is
// another key), 0 for any other key.
size_t LineNumberOf(std::string_view key) {
  if (key.size() <= kLinePrefix.size() ||
      !SameSjisText(key.substr(0, kLinePrefix.size()), kLinePrefix))
    return 0;
  std::string_view digits = key.substr(kLinePrefix.size());
  if (digits[0] == '0') return 0;
  size_t number = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return ec == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

}  // namespace

std::vector<AnsiString> ReadProfileBlock(const ProfileText& profile, std::string_view section,
                                         ValueLength length) {
  AnsiString countText = profile.Find(section, kLineCount).value_or("0");
  int count = StrToInt(countText);
  if (count > kMaxBlockLines)
    throw ConvertError(FormatMessage(u"'%s' は有効な行数ではありません", SjisToWide(countText)));

  std::vector<AnsiString> lines(count > 0 ? static_cast<size_t>(count) : 0);
  std::vector<bool> seen(lines.size());
  for (auto& [key, value] : profile.SectionKeys(section, length)) {
    size_t number = LineNumberOf(key);
    if (number == 0 || number > lines.size() || seen[number - 1]) continue;
    seen[number - 1] = true;
    lines[number - 1] = std::move(value);
  }
  return lines;
}

void WriteProfileBlock(ProfileText& profile, std::string_view section,
                       const std::vector<AnsiString>& lines, const ProfileText::Keys& otherKeys) {
  ProfileText::Keys keys = otherKeys;
  if (!lines.empty()) {
    keys.emplace_back(AnsiString(kLineCount), std::to_string(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i)
      keys.emplace_back(AnsiString(kLinePrefix) + std::to_string(i + 1), '"' + lines[i] + '"');
  }
  profile.ReplaceSection(section, keys);
}

std::vector<AnsiString> SplitTextLines(std::string_view text) {
  // CR and LF are below the range of second bytes, so a plain search is
  // safe. A byte loop: find_first_of would search the set for every byte.
  std::vector<AnsiString> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

AnsiString JoinTextLines(const std::vector<AnsiString>& lines) {
  AnsiString text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace orvane
