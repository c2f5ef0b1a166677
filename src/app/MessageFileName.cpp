#include "app/MessageFileName.h"

#include <cstdio>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {

namespace {

struct Replacement {
  char16_t from;
  char16_t to;
};

constexpr Replacement kReplacements[] = {
    {u'\\', u'\uFFE5'}, {u'/', u'\uFF0F'}, {u':', u'\uFF1A'}, {u'*', u'\uFF0A'}, {u'?', u'\uFF1F'},
    {u'<', u'\uFF1C'},  {u'>', u'\uFF1E'}, {u'|', u'\uFF5C'}, {u'.', u'\uFF0E'},
};

// The UTF-8 length of the character at text[i] and the units it takes; a
// lone surrogate is written as U+FFFD.
std::pair<size_t, size_t> Utf8Length(const WideString& text, size_t i) {
  const char16_t c = text[i];
  if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) return {4, 2};
  if (c < 0x80) return {1, 1};
  if (c < 0x800) return {2, 1};
  return {3, 1};
}

// A control character has no full-width form: it becomes its picture
// (U+2400 to U+2421), so that an escape or a line break from a subject
// shows where it stood; a C1 control, which has none, the replacement
// character.
char16_t ControlPicture(char16_t c) {
  if (c < 0x20) return static_cast<char16_t>(0x2400 + c);
  if (c == 0x7F) return u'\u2421';
  if (c >= 0x80 && c <= 0x9F) return u'\uFFFD';
  return c;
}

WideString BodyFileBaseName(const std::filesystem::path& file) {
  if (file.empty() || !FileExists(file)) return {};
  return PathToWide(file.stem());
}

}  // namespace

WideString ReplaceFileNameChars(const WideString& text) {
  WideString result = text;
  for (const Replacement& replacement : kReplacements)
    for (char16_t& c : result)
      if (c == replacement.from) c = replacement.to;
  for (char16_t& c : result) c = ControlPicture(c);
  return result;
}

WideString FileTimeStamp(TimePoint moment) {
  const LocalDateTime t = ToLocalDateTime(moment);
  char text[48];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return Utf8ToWide(text);
}

WideString ChooseMessageFileName(const MessageFileNameSource& source) {
  WideString name;
  switch (static_cast<MessageFileNaming>(source.rule)) {
    case MessageFileNaming::Date:
      break;
    case MessageFileNaming::MessageId:
      name = SjisToWide(source.messageId);
      break;
    case MessageFileNaming::BodyFile:
      name = BodyFileBaseName(source.startFile);
      break;
    case MessageFileNaming::Subject:
    default:
      name = source.subject;
      break;
  }
  return name.empty() ? FileTimeStamp(source.now) : name;
}

std::filesystem::path StartFile(const Arguments& commandLine) {
  return commandLine.size() < 2 ? std::filesystem::path() : WideToPath(commandLine[1]);
}

WideString FitFileName(const WideString& name, size_t reservedBytes) {
  const size_t budget = reservedBytes < kMaxFileNameBytes ? kMaxFileNameBytes - reservedBytes : 0;
  size_t used = 0;
  size_t end = 0;
  while (end < name.size()) {
    auto [bytes, units] = Utf8Length(name, end);
    if (used + bytes > budget) break;
    used += bytes;
    end += units;
  }
  return name.substr(0, end);
}

}  // namespace orvane
