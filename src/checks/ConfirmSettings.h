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
  int delaySeconds = keys::kConfirmDelaySeconds.defaultValue;  // 0 to keys::kMaxDelaySeconds
};

// An empty InternalDomains makes the domain of the account's own address
// the one internal domain (none when the account has no address). A delay
// outside 0 to 60 is taken as the nearest of the two; a value that is not
// a number, as the default.
TConfirmSettings ReadConfirmSettings(const IniFileUnit& settings, const AnsiString& account);

}  // namespace orvane
