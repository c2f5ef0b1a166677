#pragma once

#include <vector>

#include "platform/Types.h"

namespace orvane {

// The header lines of a message priority, level 1 (highest) to 5 (lowest):
// Priority, X-Priority and X-MSMail-Priority, in that order. Level 3
// (normal) and any other level give none.
std::vector<AnsiString> PriorityLines(int level);

}  // namespace orvane
