#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The Unicode text a Punycode string stands for (RFC 3492 section 6.2): the
// part of an internationalised domain label after its "xn--". nullopt for
// text that is not valid Punycode, or that decodes to a surrogate or a code
// point beyond U+10FFFF.
std::optional<WideString> DecodePunycode(std::u16string_view encoded);

}  // namespace orvane
