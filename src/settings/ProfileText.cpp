#include "settings/ProfileText.h"

#include "platform/Error.h"
#include "settings/SjisText.h"

namespace orvane {

namespace {

constexpr const char* kLineEnd = "\r\n";

constexpr bool IsBlankByte(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Every key written scans the lines of the file, so this runs often: a
// byte loop, where find_first_not_of would search the set for each byte.
std::string_view Trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlankByte(text[begin])) ++begin;
  while (end > begin && IsBlankByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsBlank(std::string_view text) {
  return Trim(text).empty();
}

struct ParsedLine {
  enum Kind { kNothing, kSection, kKey } kind = kNothing;
  std::string_view name;
  std::string_view value;
};

ParsedLine ParseLine(std::string_view text) {
  std::string_view line = Trim(text);
  if (line.empty() || line[0] == ';') return {};
  if (line[0] == '[') {
    // The second byte of a double-byte character can be "]".
    if (size_t close = FindSjisChar(line, ']'); close != std::string_view::npos)
      return {ParsedLine::kSection, Trim(line.substr(1, close - 1)), {}};
  }
  // "=" is below the range of second bytes, so a plain search is safe.
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {ParsedLine::kKey, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

AnsiString ValueOf(std::string_view raw, ValueLength length) {
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
    raw = raw.substr(1, raw.size() - 2);
  if (length == ValueLength::kWhole) return AnsiString(raw);
  return AnsiString(TruncateSjis(raw, ProfileText::kMaxValueLength));
}

void CheckValue(std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos)
    throw Error(u"改行を含む値は設定ファイルに書き込めません");
}

AnsiString KeyLine(std::string_view key, std::string_view value) {
  AnsiString line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
  // "\n" is below the range of second bytes, so a plain search is safe.
  size_t start = 0;
  while (start < bytes.size()) {
    size_t newline = bytes.find('\n', start);
    if (newline == std::string_view::npos) {
      lines_.push_back({AnsiString(bytes.substr(start)), ""});
      break;
    }
    bool crlf = newline > start && bytes[newline - 1] == '\r';
    size_t end = crlf ? newline - 1 : newline;
    lines_.push_back({AnsiString(bytes.substr(start, end - start)), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
}

template <typename Visit>
void ProfileText::ForEachKey(std::string_view section, Visit visit) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    ParsedLine parsed = ParseLine(lines_[i].text);
    if (parsed.kind == ParsedLine::kSection) {
      inSection = SameSjisText(parsed.name, section);
    } else if (parsed.kind == ParsedLine::kKey && inSection) {
      if (!visit(i, parsed.name, parsed.value)) return;
    }
  }
}

std::optional<AnsiString> ProfileText::Find(std::string_view section, std::string_view key,
                                            ValueLength length) const {
  std::optional<AnsiString> value;
  ForEachKey(section, [&](size_t, std::string_view name, std::string_view raw) {
    if (!SameSjisText(name, key)) return true;
    value = ValueOf(raw, length);
    return false;
  });
  return value;
}

ProfileText::Keys ProfileText::SectionKeys(std::string_view section, ValueLength length) const {
  Keys keys;
  ForEachKey(section, [&](size_t, std::string_view name, std::string_view raw) {
    keys.emplace_back(AnsiString(name), ValueOf(raw, length));
    return true;
  });
  return keys;
}

bool ProfileText::HasSection(std::string_view section) const {
  for (const Line& line : lines_) {
    ParsedLine parsed = ParseLine(line.text);
    if (parsed.kind == ParsedLine::kSection && SameSjisText(parsed.name, section)) return true;
  }
  return false;
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  CheckValue(value);
  std::optional<size_t> keyLine;
  ForEachKey(section, [&](size_t i, std::string_view name, std::string_view) {
    if (!SameSjisText(name, key)) return true;
    keyLine = i;
    return false;
  });
  if (keyLine) {
    lines_[*keyLine].text = KeyLine(key, value);
    return;
  }

  // The new key goes after the last non-blank line of the first section of
  // that name, so that a blank line before the next section stays there.
  std::optional<size_t> sectionEnd;
  for (size_t i = 0; i < lines_.size(); ++i) {
    ParsedLine parsed = ParseLine(lines_[i].text);
    if (parsed.kind == ParsedLine::kSection) {
      if (sectionEnd) break;
      if (SameSjisText(parsed.name, section)) sectionEnd = i;
    } else if (sectionEnd && !IsBlank(lines_[i].text)) {
      sectionEnd = i;
    }
  }
  if (sectionEnd)
    InsertLine(*sectionEnd + 1, KeyLine(key, value));
  else
    AppendSection(section, {{AnsiString(key), AnsiString(value)}});
}

void ProfileText::EraseKey(std::string_view section, std::string_view key) {
  std::vector<size_t> found;
  ForEachKey(section, [&](size_t i, std::string_view name, std::string_view) {
    if (SameSjisText(name, key)) found.push_back(i);
    return true;
  });
  for (auto it = found.rbegin(); it != found.rend(); ++it)
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
}

void ProfileText::EraseSection(std::string_view section) {
  std::vector<Line> kept;
  bool erasing = false;
  for (Line& line : lines_) {
    ParsedLine parsed = ParseLine(line.text);
    if (parsed.kind == ParsedLine::kSection) erasing = SameSjisText(parsed.name, section);
    if (!erasing) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

void ProfileText::ReplaceSection(std::string_view section, const Keys& keys) {
  for (const auto& [key, value] : keys) CheckValue(value);
  EraseSection(section);
  if (!keys.empty()) AppendSection(section, keys);
}

AnsiString ProfileText::Bytes() const {
  AnsiString bytes;
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += line.end;
  }
  return bytes;
}

void ProfileText::InsertLine(size_t at, AnsiString text) {
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = kLineEnd;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), kLineEnd});
}

void ProfileText::AppendSection(std::string_view section, const Keys& keys) {
  // A blank line sets a new section apart from the one before it.
  if (!lines_.empty() && !IsBlank(lines_.back().text)) InsertLine(lines_.size(), "");
  AnsiString header;
  header.reserve(section.size() + 2);
  header.append("[").append(section).append("]");
  InsertLine(lines_.size(), std::move(header));
  for (const auto& [key, value] : keys) InsertLine(lines_.size(), KeyLine(key, value));
}

}  // namespace orvane
