#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The condition tests of the pre-send rules. Lists of reported items keep
// the order of the text they come from.

// --- Recipients -------------------------------------------------------------

// The three recipient texts joined with "," (no comma next to an empty text).
WideString JoinRecipients(std::u16string_view to, std::u16string_view cc, std::u16string_view bcc);

// The entries of a joined text, split at "," and ";", blanks kept. An empty
// entry between two separators is an empty entry; empty entries before the
// first non-empty one, and a trailing separator, give none.
std::vector<WideString> SplitRecipients(std::u16string_view joined);

// The entry from its first "<" to its end, or the whole entry.
std::u16string_view AddressPart(std::u16string_view entry);

// The entries, as written, whose address part holds no "@". An empty entry
// is reported only after another entry was.
std::vector<WideString> FindInvalidAddresses(std::u16string_view to, std::u16string_view cc,
                                             std::u16string_view bcc);

// The entries, as written, whose domain (the address part from its first
// "@" on) contains one of the domains, compared with case: the mobile
// carriers' and the mailing lists' rules.
std::vector<WideString> FindAddressesAt(std::u16string_view to, std::u16string_view cc,
                                        std::u16string_view bcc,
                                        const std::vector<WideString>& domains);

// True when the joined recipients hold 99 or more separators: each "," and
// ";" counts, and so does the end of the text, against a fixed limit of 100.
bool IsRecipientListLong(std::u16string_view to, std::u16string_view cc, std::u16string_view bcc);

// --- Body -------------------------------------------------------------------

// True when a line of the body (lines end at CR, LF or CR LF) is lineLength
// bytes or longer as Shift_JIS, where a double-byte character counts two.
bool HasLongLine(std::u16string_view body, int lineLength);

// --- Attachments ------------------------------------------------------------

struct TAttachedFile {
  WideString name;  // without its folder
  std::uintmax_t size = 0;
  bool operator==(const TAttachedFile&) const = default;
};

// The size of a file in bytes; 0 when it can no longer be found.
std::uintmax_t AttachedFileSize(const std::filesystem::path& path);

// The files' names and sizes, in order.
std::vector<TAttachedFile> AttachedFiles(const std::vector<std::filesystem::path>& paths);

// True when there are attachments and their sizes add up to kilobytes * 1024
// bytes or more. The sum is 64-bit, so large files do not wrap it.
bool IsAttachTotalLarge(const std::vector<TAttachedFile>& files, int kilobytes);

// The names of the files whose extension (from the last "." on, in ASCII
// lower case) is one of the extensions exactly.
std::vector<WideString> FindRiskyAttachments(const std::vector<TAttachedFile>& files,
                                             const std::vector<WideString>& extensions);

// --- The account's settings file -------------------------------------------

// Account booleans that are neither a number nor "True"/"False" throw
// ConvertError, as they do for the send step; so does a block's LineCount
// that is not a number. A missing file or key reads as off / no lines.
bool UsesSmtpAuth(const IniFileUnit& settings, const AnsiString& account);
bool UsesPopBeforeSmtp(const IniFileUnit& settings, const AnsiString& account);
bool LacksSignature(const IniFileUnit& settings, const AnsiString& account);
bool HasExtendedHeaders(const IniFileUnit& settings, const AnsiString& account);

// --- Lines ------------------------------------------------------------------

// Adds message + item for each item.
void AddWarningLines(std::vector<WideString>& lines, std::u16string_view message,
                     const std::vector<WideString>& items);

}  // namespace orvane
