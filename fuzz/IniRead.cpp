// The settings store's reader over any file: the text comes back byte for
// byte, every section and key it seems to hold reads without harm, a value
// written reads back as written, and a multi-line block read from the file
// is written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "settings/IniFile.h"
#include "settings/ProfileBlock.h"
#include "settings/ProfileText.h"

namespace {

using orvane::AnsiString;

constexpr std::size_t kMaxNames = 16;
// A block of more lines follows the same rule, only slower: writing a
// hand-edited LineCount of 100000 back would run for most of a second here.
constexpr std::size_t kMaxRoundTripLines = 1000;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Section names and keys as a plain scan of the lines finds them.
void Names(std::string_view text, std::vector<std::string_view>& sections,
           std::vector<std::string_view>& keys) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.starts_with('[') && sections.size() < kMaxNames) {
      sections.push_back(TrimBlanks(line.substr(1, line.find(']') - 1)));
    } else if (const std::size_t equals = line.find('=');
               equals != std::string_view::npos && keys.size() < kMaxNames) {
      keys.push_back(TrimBlanks(line.substr(0, equals)));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ProfileText profile(bytes);
  if (profile.Bytes() != bytes) __builtin_trap();

  std::vector<std::string_view> sections, keys;
  Names(bytes, sections, keys);
  for (std::string_view section : sections) {
    profile.HasSection(section);
    for (std::string_view key : keys)
      if (auto value = profile.Find(section, key)) ParseInteger(*value);
    for (const auto& [key, value] : profile.SectionKeys(section))
      if (value.size() > ProfileText::kMaxValueLength) __builtin_trap();
    try {
      const std::vector<AnsiString> lines = ReadProfileBlock(profile, section);
      if (lines.size() > kMaxRoundTripLines) continue;
      ProfileText copy = profile;
      WriteProfileBlock(copy, "Fuzz", lines, {});
      if (ReadProfileBlock(ProfileText(copy.Bytes()), "Fuzz") != lines) __builtin_trap();
    } catch (const Error&) {
      // A line count that is no number, or a line holding a line break.
    }
  }

  ProfileText written = profile;
  written.Set("Fuzz", "Key", "value");
  if (ProfileText(written.Bytes()).Find("Fuzz", "Key") != "value") __builtin_trap();
  written.EraseSection("Fuzz");
  if (written.HasSection("Fuzz")) __builtin_trap();
  return 0;
}
