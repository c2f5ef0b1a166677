#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "checks/InternalDomains.h"
#include "checks/RecipientHistory.h"
#include "platform/Types.h"

namespace orvane {

// What an address is to the sender: internal or outside, at a domain that
// only looks like a known one, or written to for the first time. Reads the
// history once, when first asked; without a history nothing is known but
// the internal domains.
class TRecipientCheck {
 public:
  TRecipientCheck(TInternalDomains internal, std::shared_ptr<const RecipientHistory> history);

  const TInternalDomains& Internal() const { return internal_; }
  bool Outside(std::u16string_view address) const { return !internal_.Contains(address); }
  // For an outside address: the internal or address-book domain its domain
  // resembles (LookAlikeOf).
  std::optional<WideString> LookAlike(std::u16string_view address) const;
  // An outside address that is neither in the address book nor among the
  // recent recipients.
  bool FirstTime(std::u16string_view address) const;

 private:
  void ReadBook() const;
  void ReadRecent() const;

  TInternalDomains internal_;
  std::shared_ptr<const RecipientHistory> history_;
  mutable std::optional<std::vector<WideString>> knownDomains_;  // internal, then the book's
  mutable std::set<WideString> bookAddresses_;
  mutable std::optional<std::set<WideString>> recentAddresses_;
};

}  // namespace orvane
