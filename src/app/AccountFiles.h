#pragma once

#include <string>
#include <vector>

#include "settings/IniFileUnit.h"

namespace orvane {

// The names of the account settings files of the program folder, in
// directory-listing order: every "*.ini" file other than the general file
// "orvane.ini" (compared in lower case), without its extension, in the case
// the file system reports (UTF-8). Folders are not settings files.
std::vector<std::string> ListAccountNames(const IniFileUnit& settings);

// The account a window starts with: the first of ListAccountNames (as the
// settings store names it), or "NewAccount" when there is none.
AnsiString FindDefaultAccount(const IniFileUnit& settings);

}  // namespace orvane
