#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The members of a JSON object (RFC 8259) whose values are strings, numbers
// or booleans, which is all a token endpoint's answer needs: strings
// unescaped to UTF-8, numbers and "true"/"false" as written. Members
// holding an object, an array or null are checked and left out; of a name
// given twice the last value counts. nullopt when the text is not one
// well-formed object, or nests deeper than 32 levels.
using JsonMembers = std::map<std::string, std::string>;
std::optional<JsonMembers> ReadJsonObject(std::string_view text);

}  // namespace orvane
