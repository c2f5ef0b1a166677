#include "app/SentLog.h"

#include <cstdio>
#include <map>
#include <set>

#include "mime/ZelMime.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/RegionalFormats.h"
#include "settings/IniFile.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr const char* kEntryPrefixes[] = {keys::kSentLogDateTimePrefix, keys::kSentLogToPrefix,
                                          keys::kSentLogSubjectPrefix, keys::kSentLogFileNamePrefix,
                                          keys::kSentLogCcPrefix};
constexpr const char* kMissingField = "---";

std::string Key(const char* prefix, long long n) {
  return prefix + std::to_string(n);
}

// "YYYY/MM/DD HH:MM" with the regional separators.
AnsiString FormatEntryTime(TimePoint moment) {
  const LocalDateTime t = ToLocalDateTime(moment);
  const RegionalFormats& formats = JapaneseFormats();
  const char date = static_cast<char>(formats.dateSeparator);
  const char time = static_cast<char>(formats.timeSeparator);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%c%02d%c%02d %02d%c%02d", t.year, date, t.month, date,
                t.day, t.hour, time, t.minute);
  return text;
}

// A value that reads back as written: a line break would start a line of
// its own, and surrounding blanks or quotes are taken off when read unless
// the value is quoted.
AnsiString StoredValue(AnsiString value) {
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (quoted || Trim(value).size() != value.size()) return '"' + value + '"';
  return value;
}

// The numbers of the entries that have any key in the section.
std::set<long long> StoredEntryNumbers(const ProfileText& index) {
  std::set<long long> numbers;
  for (const auto& [key, value] : index.SectionKeys(keys::kSentLogEntrySection)) {
    for (const char* prefix : kEntryPrefixes) {
      const std::string_view name(prefix);
      if (key.size() <= name.size() || !StartsWithAsciiText(key, name)) continue;
      const std::string digits = key.substr(name.size());
      if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 18)
        continue;
      numbers.insert(std::stoll(digits));
    }
  }
  return numbers;
}

int StoredCount(const ProfileText& index) {
  auto text = index.Find(keys::kSentLogCountSection, keys::kSentLogCountKey);
  return text ? std::max(ParseInteger(*text).value_or(0), 0) : 0;
}

std::string LogFileName(unsigned long long n) {
  return n == 0 ? "SLog0.Log" : "SLog" + std::to_string(n) + ".log";
}

}  // namespace

fs::path SentLogIndexPath(const IniFileUnit& settings, const AnsiString& account) {
  return settings.SentLogFolder() / SjisToPath(account + kSentLogIndexExtension);
}

SentLogEntry MakeSentLogEntry(const AnsiString& messageText, const Clock& clock) {
  // Only the header is read: no attachment is saved anywhere.
  TZelMime message(clock, {});
  message.SetMessageText(messageText);
  SentLogEntry entry;
  entry.dateTime = FormatEntryTime(message.Date().value_or(clock.Now()));
  entry.to = WideToSjis(message.To());
  entry.subject = WideToSjis(message.Subject());
  entry.cc = WideToSjis(message.Cc());
  return entry;
}

std::string SaveSentLogFile(const fs::path& folder, const std::vector<WideString>& lines) {
  AnsiString text;
  for (const WideString& line : lines) {
    text += WideToSjis(line);
    text += "\r\n";
  }
  for (unsigned long long n = 0;; ++n) {
    const std::string name = LogFileName(n);
    try {
      if (WriteNewFile(folder / name, text)) return name;
    } catch (const FileError&) {
      throw CannotCreateFile(folder / name);
    }
  }
}

long long AddSentLogEntry(const fs::path& indexFile, const SentLogEntry& entry) {
  long long number = 0;
  IniFile(indexFile, IniFile::Kind::kPrivate).Update([&](ProfileText& index) {
    const std::set<long long> taken = StoredEntryNumbers(index);
    number = static_cast<long long>(StoredCount(index)) + 1;
    while (taken.count(number)) ++number;
    index.Set(keys::kSentLogCountSection, keys::kSentLogCountKey, std::to_string(number));
    const AnsiString values[] = {entry.dateTime, entry.to, entry.subject, entry.fileName, entry.cc};
    for (size_t i = 0; i < std::size(kEntryPrefixes); ++i)
      if (!values[i].empty() || kEntryPrefixes[i] != keys::kSentLogCcPrefix)
        index.Set(keys::kSentLogEntrySection, Key(kEntryPrefixes[i], number),
                  StoredValue(values[i]));
  });
  return number;
}

std::vector<SentLogEntry> ReadSentLogEntries(const fs::path& indexFile) {
  std::vector<SentLogEntry> entries;
  if (!FileExists(indexFile)) return entries;
  const ProfileText index = IniFile(indexFile).Load();
  // One pass over the section instead of a search per key: an index grows
  // with every send.
  std::map<std::string, AnsiString> values;
  for (const auto& [key, value] : index.SectionKeys(keys::kSentLogEntrySection))
    values.emplace(ToAsciiLower(key), value);
  auto field = [&](const char* prefix, int n, const char* missing = kMissingField) {
    auto found = values.find(ToAsciiLower(Key(prefix, n)));
    return found == values.end() ? AnsiString(missing) : found->second;
  };
  const int count = std::min(StoredCount(index), kMaxSentLogRows);
  entries.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) {
    entries.push_back({field(keys::kSentLogDateTimePrefix, n), field(keys::kSentLogToPrefix, n),
                       field(keys::kSentLogSubjectPrefix, n),
                       field(keys::kSentLogFileNamePrefix, n),
                       field(keys::kSentLogCcPrefix, n, "")});
  }
  return entries;
}

fs::path WriteSentLog(const IniFileUnit& settings, const Clock& clock, const SentAttempt& attempt) {
  SentLogEntry entry = MakeSentLogEntry(attempt.messageText, clock);
  if (attempt.fromOutbox) {
    entry.dateTime = FormatEntryTime(clock.Now());
    entry.subject += WideToSjis(u" (送信待ちから)");
  }
  // The geometry first: when a later step fails the user closes the send
  // window again, and that must not leave a second entry.
  if (const std::optional<LogWindowGeometry>& g = attempt.logWindow) {
    settings.GeneralFile().Update([&](ProfileText& general) {
      general.Set(keys::kLogSection, keys::kLogTopKey, std::to_string(g->top));
      general.Set(keys::kLogSection, keys::kLogLeftKey, std::to_string(g->left));
      general.Set(keys::kLogWidth.section, keys::kLogWidth.key, std::to_string(g->width));
      general.Set(keys::kLogHeight.section, keys::kLogHeight.key, std::to_string(g->height));
    });
  }
  const fs::path folder = settings.SentLogFolder();
  if (!fs::is_directory(folder)) CreateFolder(folder);
  entry.fileName = SaveSentLogFile(folder, attempt.logLines);
  const fs::path logFile = folder / entry.fileName;
  try {
    AddSentLogEntry(SentLogIndexPath(settings, attempt.account), entry);
  } catch (const Error&) {
    RemoveFile(logFile);
    throw;
  }
  return logFile;
}

}  // namespace orvane
