#pragma once

#include "checks/InternalDomains.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Section Confirm, read afresh for every send like the rules' switches.
struct TConfirmSettings {
  bool enabled = keys::kConfirmEnabled.defaultValue;
  TInternalDomains internal;
  bool skipWhenInternal = keys::kConfirmSkipWhenInternal.defaultValue;
  int bccLeakLimit = keys::kConfirmBccLeakLimit.defaultValue;
};

// An empty InternalDomains makes the domain of the account's own address
// the one internal domain (none when the account has no address).
TConfirmSettings ReadConfirmSettings(const IniFileUnit& settings, const AnsiString& account);

// DelaySeconds, the hold before a send connects: a value outside 0 to 60
// is taken as the nearest of the two; one that is not a number, as the
// default.
int ReadDelaySeconds(const IniFileUnit& settings);

}  // namespace orvane
