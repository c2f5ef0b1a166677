#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Where the communication log window stood when the send window closed.
struct LogWindowGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// One closed send attempt, as the send window hands it over.
struct SentAttempt {
  AnsiString account;                          // the account it was sent with (Shift_JIS)
  AnsiString messageText;                      // the composed message
  std::vector<WideString> logLines;            // the communication log window's lines
  std::optional<LogWindowGeometry> logWindow;  // none when no log window showed them
  // Sent from the outbox: the entry has the time it went, not the
  // message's Date, and its subject says "(送信待ちから)".
  bool fromOutbox = false;
};

// One entry of an account's index, as stored (Shift_JIS).
struct SentLogEntry {
  AnsiString dateTime;  // "YYYY/MM/DD HH:MM"
  AnsiString to;
  AnsiString subject;
  AnsiString fileName;  // the log file's name, without folder
  // Stored only when the message had a Cc; older entries have none.
  AnsiString cc = {};
  bool operator==(const SentLogEntry&) const = default;
};

// The account's index file: "SendedLog", the account name and ".dat".
std::filesystem::path SentLogIndexPath(const IniFileUnit& settings, const AnsiString& account);

// The entry of a composed message: its Date in local time (the clock's time
// when it has none), its decoded To, Subject and Cc.
SentLogEntry MakeSentLogEntry(const AnsiString& messageText, const Clock& clock);

// Saves the lines, each ending in CR LF, as Shift_JIS into the first free
// name of "SLog0.Log", "SLog1.log", "SLog2.log", ... in the folder, which
// all accounts share, readable by its owner only; returns the name. Throws FileError "ファイル %s
// を作成 できません".
std::string SaveSentLogFile(const std::filesystem::path& folder,
                            const std::vector<WideString>& lines);

// Adds the entry to the index (a private file, left 0600 by every write)
// with the number Count + 1 (a higher one when
// an entry of that number is there already, so that a Count edited by hand
// never overwrites an entry) and stores that number as Count. Returns it.
long long AddSentLogEntry(const std::filesystem::path& indexFile, const SentLogEntry& entry);

// Entries 1 to Count of the index, each field "---" when its key is
// missing (but an empty Cc); at most kMaxSentLogRows of them. None when the
// file is missing.
std::vector<SentLogEntry> ReadSentLogEntries(const std::filesystem::path& indexFile);

// A Count edited by hand can be any number; above this it is taken as a
// mistake rather than read as that many empty entries.
inline constexpr int kMaxSentLogRows = 100000;

// Records a closed send attempt: stores the log window's geometry, if any,
// under Log, saves the log lines in a new log file of "SendedLog" (made when
// missing) and adds the entry to the account's index. When the index cannot
// be written the new log file is removed again, so repeating the call
// leaves no stray file. Returns the log file's path.
std::filesystem::path WriteSentLog(const IniFileUnit& settings, const Clock& clock,
                                   const SentAttempt& attempt);

}  // namespace orvane
