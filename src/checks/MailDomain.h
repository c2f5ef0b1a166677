#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Addresses and domains in the one form they are compared in, so that the
// same mailbox written two ways counts once: ASCII letters in lower case,
// the full-width forms of ASCII and the ideographic full stops (。．｡) read
// as ASCII, trailing dots dropped, and each label of an internationalised
// domain name in Unicode, however it was written ("xn--" labels decoded).

// A domain as written, an "@" before it allowed ("@example.co.jp").
WideString DomainName(std::u16string_view domain);

// The domain of an address: what follows its last "@" outside a quoted
// local part ("a@b"@example.jp is at example.jp). Empty for an address
// without "@".
WideString DomainOf(std::u16string_view address);

// The address as compared: its local part with ASCII letters in lower case,
// "@" and DomainOf; the whole text in lower case when it has no "@".
WideString ComparableAddress(std::u16string_view address);

// Whether the domain lies below the other (sales.example.jp below
// example.jp); a domain is not below itself.
bool IsSubdomainOf(std::u16string_view domain, std::u16string_view of);

}  // namespace orvane
