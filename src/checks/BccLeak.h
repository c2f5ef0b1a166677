#pragma once

#include <vector>

#include "checks/InternalDomains.h"
#include "checks/Recipient.h"

namespace orvane {

// True when To and Cc together hold `limit` or more different outside
// addresses, at two domains or more: sent like that, every recipient reads
// the addresses of people at other organisations, which Bcc would have kept
// from them. Outside addresses already in Bcc do not count.
bool IsBccLeak(const std::vector<TRecipient>& recipients, const TInternalDomains& internal,
               int limit);

// The recipients with every outside address of To and Cc moved into Bcc,
// each keeping its place in the list; true when one moved.
bool MoveOutsideToBcc(std::vector<TRecipient>& recipients, const TInternalDomains& internal);

}  // namespace orvane
