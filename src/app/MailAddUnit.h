#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Recipient entries: a bare address, or a display name (perhaps quoted,
// perhaps with comments in parentheses) followed by an address in angle
// brackets. Characters are UTF-16 units, so a Japanese character counts one.

// The name in double quotes when it holds one of the RFC 822 specials
// ( ) < > @ , ; : \ . [ ] " ; otherwise unchanged. Inside the quotes a
// double quote or backslash is written as a quoted pair (RFC 5322 section
// 3.2.4), so the name stays one phrase.
WideString QuoteDisplayName(std::u16string_view name);

// The bracketed part of the entry (every "<...>", right to left), trimmed;
// an entry without both "<" and ">" comes back unchanged, untrimmed.
// stripBrackets drops one enclosing pair; removeComments drops the text of
// parenthesised comments outside double quotes.
WideString ExtractAddress(std::u16string_view entry, bool stripBrackets, bool removeComments);

// The text before the last "<" when the entry ends with ">", trimmed; empty
// otherwise. stripQuotes drops one enclosing pair of double quotes and
// reads the quoted pairs inside; removeComments as for ExtractAddress.
WideString ExtractDisplayName(std::u16string_view entry, bool stripQuotes, bool removeComments);

}  // namespace orvane
