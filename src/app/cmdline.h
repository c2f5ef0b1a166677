#pragma once

#include <vector>

#include "platform/Types.h"

namespace orvane {

// The program's arguments as the platform delivers them, converted from
// UTF-8: argument 0 is the program's own path, 1 to n are the user's.
using Arguments = std::vector<WideString>;

// An argument beginning with "/", "-" or "+", except an absolute path: one
// beginning with "/" that holds a further "/" is the plain argument an
// editor or a mail reader passes for a file.
bool IsSwitch(const WideString& argument);

// The text up to, not including, the first "=", ":" or blank; the whole
// argument when it holds none. A switch's prefix is part of its key.
WideString SwitchKey(const WideString& argument);

// The text after the first "=", or when there is none after the first ":",
// trimmed of blanks and control characters. A value beginning with a double
// quote is the text up to the matching quote, a doubled quote counting as
// one; an unclosed quote takes the rest. A quoted value that comes out empty
// keeps its quotes.
WideString SwitchValue(const WideString& argument);

// Whether some argument's key (arguments 0 to n) equals the name; with
// ignoreCase both are compared in the locale's lower case.
bool HasSwitch(const Arguments& arguments, const WideString& name, bool ignoreCase);

// The value of the first argument whose key equals the name, or the empty
// text when there is none.
WideString GetSwitchValue(const Arguments& arguments, const WideString& name, bool ignoreCase);

}  // namespace orvane
