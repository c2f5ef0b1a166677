#include "checks/RecipientCheck.h"

#include <algorithm>

#include "checks/LookAlike.h"
#include "checks/MailDomain.h"

namespace orvane {

TRecipientCheck::TRecipientCheck(TInternalDomains internal,
                                 std::shared_ptr<const RecipientHistory> history)
    : internal_(std::move(internal)), history_(std::move(history)) {}

void TRecipientCheck::ReadBook() const {
  if (knownDomains_) return;
  knownDomains_ = internal_.Domains();
  if (!history_) return;
  for (const WideString& address : history_->BookAddresses()) {
    bookAddresses_.insert(ComparableAddress(address));
    const WideString domain = DomainOf(address);
    if (!domain.empty() &&
        std::find(knownDomains_->begin(), knownDomains_->end(), domain) == knownDomains_->end())
      knownDomains_->push_back(domain);
  }
}

void TRecipientCheck::ReadRecent() const {
  if (recentAddresses_) return;
  recentAddresses_.emplace();
  if (!history_) return;
  for (const WideString& address : history_->RecentAddresses())
    recentAddresses_->insert(ComparableAddress(address));
}

std::optional<WideString> TRecipientCheck::LookAlike(std::u16string_view address) const {
  if (!Outside(address)) return std::nullopt;
  ReadBook();
  return LookAlikeOf(DomainOf(address), *knownDomains_);
}

bool TRecipientCheck::FirstTime(std::u16string_view address) const {
  if (!Outside(address)) return false;
  ReadBook();
  ReadRecent();
  const WideString compared = ComparableAddress(address);
  return !bookAddresses_.contains(compared) && !recentAddresses_->contains(compared);
}

}  // namespace orvane
