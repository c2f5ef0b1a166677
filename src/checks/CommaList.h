#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The entries of a comma list as the rule parameters are written by hand:
// commas and blanks separate entries, and an entry in double quotes keeps
// its blanks ("" inside stands for one quote). Empty entries are left out:
// an empty extension or domain would match every file or every address.
std::vector<WideString> SplitCommaList(std::u16string_view text);

// The built-in entries followed by those of the list that are not already
// there; duplicates are compared without regard to ASCII case, so a list
// can add to the built-ins but never remove or replace one.
std::vector<WideString> CombineList(std::span<const char16_t* const> builtIns,
                                    std::u16string_view list);

}  // namespace orvane
