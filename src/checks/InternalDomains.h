#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// The organisation's own domains: an address at one of them is internal,
// any other address (one without a domain too) is outside.
class TInternalDomains {
 public:
  TInternalDomains() = default;
  // The domains as written; subDomains: an address at a subdomain of one of
  // them (sales.example.co.jp of example.co.jp) is internal too.
  TInternalDomains(const std::vector<WideString>& domains, bool subDomains);

  bool Contains(std::u16string_view address) const;
  // In the form DomainName gives them, without empty ones.
  const std::vector<WideString>& Domains() const { return domains_; }

 private:
  std::vector<WideString> domains_;
  bool subDomains_ = true;
};

}  // namespace orvane
