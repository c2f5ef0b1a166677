#include "checks/BccLeak.h"

#include <set>

#include "checks/MailDomain.h"

namespace orvane {

namespace {

bool OutsideInToOrCc(const TRecipient& recipient, const TInternalDomains& internal) {
  return recipient.kind != TRecipientKind::Bcc && !internal.Contains(recipient.address);
}

}  // namespace

bool IsBccLeak(const std::vector<TRecipient>& recipients, const TInternalDomains& internal,
               int limit) {
  std::set<WideString> addresses;
  std::set<WideString> domains;
  for (const TRecipient& recipient : recipients) {
    if (!OutsideInToOrCc(recipient, internal)) continue;
    addresses.insert(ComparableAddress(recipient.address));
    domains.insert(DomainOf(recipient.address));
  }
  return domains.size() >= 2 && static_cast<long>(addresses.size()) >= limit;
}

bool MoveOutsideToBcc(std::vector<TRecipient>& recipients, const TInternalDomains& internal) {
  bool moved = false;
  for (TRecipient& recipient : recipients) {
    if (!OutsideInToOrCc(recipient, internal)) continue;
    recipient.kind = TRecipientKind::Bcc;
    moved = true;
  }
  return moved;
}

}  // namespace orvane
