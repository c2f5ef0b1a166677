#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The subject without a mailing-list tag such as "[list:0123]", then
// without leading blanks. Positions count characters, 0 meaning "not
// found": with a "[" at a, a ":" b characters after it and a "]" c
// characters after that, the characters a to a + b + c go. A missing mark
// counts 0, so "Meeting: today" gives "today".
WideString StripListTag(std::u16string_view subject);

// The subject without its leading reply prefixes ("Re:", "RE[2]:",
// "Re^3:"...): a subject beginning with "re" (any case) whose first seven
// characters hold a ":" loses everything up to it and the blanks after, as
// often as that holds.
WideString StripReplyPrefix(std::u16string_view subject);

}  // namespace orvane
