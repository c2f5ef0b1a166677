#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// Names and values of a form or a query, in order.
using FormFields = std::vector<std::pair<AnsiString, AnsiString>>;

// The fields as application/x-www-form-urlencoded text (RFC 6749 appendix
// B), also fit for a URL's query: "name=value" joined by "&", every byte
// but the unreserved characters of RFC 3986 (letters, digits, "-", ".",
// "_", "~") written as "%XX".
AnsiString FormEncode(const FormFields& fields);

// The fields of such a text: "+" is a blank, "%XX" the byte it spells (a
// "%" without two hex digits stays), a field without "=" has an empty
// value, empty fields are skipped.
FormFields FormDecode(std::string_view text);

// The value of the first field named `name`.
std::optional<AnsiString> FormValue(const FormFields& fields, std::string_view name);

}  // namespace orvane
