#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// What a refusal means, in Japanese, for whoever reads the server's reply:
// picked by the enhanced status code the reply carries (RFC 3463), else by
// its class and subject, else by the basic code (RFC 5321 section 4.2).
// An enhanced code counts only when its class is the first digit of the
// basic code, as RFC 3463 section 2 requires. Empty for a positive or
// intermediate reply and for a code the table does not know.
WideString ReplyExplanation(std::u16string_view reply);

// The reply as the user is shown it: its explanation in 【】 before the
// server's own text, or the text alone when there is none.
WideString ExplainedReply(const WideString& reply);

}  // namespace orvane
