#pragma once

#include "extras/MacroUnit.h"
#include "mime/ZelMime.h"

namespace orvane {

// What the reply macros show of a loaded message: its Date, decoded
// subject and Message-ID, and the display name and address of its From
// field without quotes, brackets and comments.
TAnsweredMessage AnsweredMessageOf(const TZelMime& message);

}  // namespace orvane
