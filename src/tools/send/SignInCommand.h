#pragma once

#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "tools/send/Ending.h"

namespace orvane {

// The account dialog's サインイン... without the dialog: the browser's round
// trip with the account's provider, and the refresh token it earns stored
// in the account file, so that later sends need no browser.
Ending SignInAccount(const IniFileUnit& settings, const AnsiString& account);

}  // namespace orvane
