#pragma once

#include <cstdio>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Writes "orvane-send: " and the text as one line of UTF-8 to standard error.
void PrintError(const WideString& text);
void PrintError(std::string_view utf8);

// Whether English lines are wanted beside the Japanese ones: --lang says,
// else the locale LC_ALL, LC_MESSAGES or LANG (the first set) does, being
// Japanese or not.
bool WantsEnglish();

}  // namespace orvane
