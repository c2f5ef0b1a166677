#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The lines the user wrote: the body's lines without as many lines at its
// end as the signature that ends it has. Lines end at CR, LF or CR LF; a
// line break at the end of a text starts no further line.
std::vector<std::u16string_view> WrittenLines(std::u16string_view body,
                                              std::u16string_view signature);

// A line quoted from another message: its first character after blanks is
// ">" or "|", in either width.
bool IsQuotedLine(std::u16string_view line);

// True when a line that is not quoted contains one of the words. Letters
// compare without regard to ASCII case, and full-width Latin letters and
// signs as their ASCII forms.
bool MentionsAttachment(const std::vector<std::u16string_view>& lines,
                        const std::vector<WideString>& words);

}  // namespace orvane
