#pragma once

#include <vector>

#include "platform/Types.h"
#include "settings/ProfileText.h"

namespace orvane {

// A multi-line text kept in one section: the key LineCount (decimal) and the
// keys Line1 to LineN, each line written in double quotes so that reading,
// which removes one pair of enclosing quotes, gives back its blanks.

// The lines of the section's block, each read as `length` says. A missing
// LineCount reads as 0 and a missing Line key as an empty line. A LineCount
// that is not a number, or one beyond kMaxBlockLines, throws ConvertError.
std::vector<AnsiString> ReadProfileBlock(const ProfileText& profile, std::string_view section,
                                         ValueLength length = ValueLength::kLimited);

// Erases the section, writes the other keys, then LineCount and the lines
// when there are any.
void WriteProfileBlock(ProfileText& profile, std::string_view section,
                       const std::vector<AnsiString>& lines, const ProfileText::Keys& otherKeys);

// A hand-edited LineCount can be any number; above this it is taken as a
// mistake rather than read as that many empty lines.
inline constexpr int kMaxBlockLines = 100000;

// Text and lines as a multi-line edit field has them: lines end in CR LF,
// LF or CR, a line break at the end of the text starts no further line, and
// the empty text has no lines. Joining puts CR LF between lines.
std::vector<AnsiString> SplitTextLines(std::string_view text);
AnsiString JoinTextLines(const std::vector<AnsiString>& lines);

}  // namespace orvane
