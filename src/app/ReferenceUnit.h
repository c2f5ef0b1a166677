#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The References value of a reply (RFC 5322 section 3.6.4), from the header
// values of the message replied to: the first 16 distinct identifiers of
// its References, then its Message-ID and its In-Reply-To when not already
// in the chain. Identifiers compare without ASCII case. Each identifier is
// followed by CR LF and every one after the first begins with a TAB, so the
// value is already folded one identifier per line. A ">" that ends no
// identifier adds nothing.
WideString BuildReferences(std::u16string_view references, std::u16string_view messageId,
                           std::u16string_view inReplyTo);

}  // namespace orvane
