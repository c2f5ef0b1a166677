#include "checks/ConfirmSettings.h"

#include <algorithm>

#include "checks/CommaList.h"
#include "checks/MailDomain.h"
#include "platform/CodePage.h"

namespace orvane {

TConfirmSettings ReadConfirmSettings(const IniFileUnit& settings, const AnsiString& account) {
  TConfirmSettings read;
  read.enabled = settings.Read(keys::kConfirmEnabled);
  std::vector<WideString> domains =
      SplitCommaList(SjisToWide(settings.Read(keys::kConfirmInternalDomains)));
  if (domains.empty() && !account.empty())
    if (WideString own = DomainOf(SjisToWide(settings.Read(account, keys::kAddress))); !own.empty())
      domains.push_back(std::move(own));
  read.internal = TInternalDomains(domains, settings.Read(keys::kConfirmSubDomains));
  read.skipWhenInternal = settings.Read(keys::kConfirmSkipWhenInternal);
  read.bccLeakLimit = settings.Read(keys::kConfirmBccLeakLimit);
  return read;
}

int ReadDelaySeconds(const IniFileUnit& settings) {
  return std::clamp(settings.Read(keys::kConfirmDelaySeconds), 0, keys::kMaxDelaySeconds);
}

}  // namespace orvane
