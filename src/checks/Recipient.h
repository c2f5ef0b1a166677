#pragma once

#include "platform/Types.h"

namespace orvane {

enum class TRecipientKind { To, Cc, Bcc };

// One recipient of the draft, taken apart: the list it stands in, its
// display name and its address.
struct TRecipient {
  TRecipientKind kind = TRecipientKind::To;
  WideString name;
  WideString address;
  bool operator==(const TRecipient&) const = default;
};

}  // namespace orvane
