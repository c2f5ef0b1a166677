#include "checks/InternalDomains.h"

#include "checks/MailDomain.h"

namespace orvane {

TInternalDomains::TInternalDomains(const std::vector<WideString>& domains, bool subDomains)
    : subDomains_(subDomains) {
  for (const WideString& domain : domains)
    if (WideString name = DomainName(domain); !name.empty()) domains_.push_back(std::move(name));
}

bool TInternalDomains::Contains(std::u16string_view address) const {
  const WideString domain = DomainOf(address);
  if (domain.empty()) return false;
  for (const WideString& own : domains_) {
    if (domain == own) return true;
    if (subDomains_ && IsSubdomainOf(domain, own)) return true;
  }
  return false;
}

}  // namespace orvane
