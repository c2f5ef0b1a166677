#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The known domain (an internal one or one of the address book) that a
// domain looks like without being it, if any: what a slip of the keyboard,
// an auto-completion or a forged look-alike makes of a known domain.
// Domains in the form DomainName gives them. A domain that is itself known
// resembles nothing, and a subdomain does not resemble the domain it is
// part of. It resembles a known domain when
// - the two differ only in their public suffix (example.co.jp, example.jp,
//   example.com);
// - they read the same once "rn" is taken for "m", "0" for "o" and "1" for
//   "l";
// - one edit turns one into the other (a character changed, added or
//   dropped, or two neighbours swapped), when the known name before its
//   suffix has 3 characters or more;
// - two edits do, when that name has 6 characters or more and both begin
//   with the same character: a reader takes a word in by its start, so
//   sample.co.jp, another word from its first letter, is not taken for
//   example.co.jp.
// The first known domain it resembles, in the order given.
std::optional<WideString> LookAlikeOf(std::u16string_view domain,
                                      const std::vector<WideString>& known);

}  // namespace orvane
