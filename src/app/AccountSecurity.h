#pragma once

#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "transport/PlainAuth.h"
#include "transport/TCPComponent.h"
#include "transport/TlsSession.h"

namespace orvane {

// How an account's connections are secured, as its file says.
struct TAccountSecurity {
  TSecurity Smtp = scNone;
  TSecurity Pop = scNone;
  AnsiString TlsFingerprint;
  // paLegacy for a file without the key Security: it keeps working as it
  // always did. Otherwise paAllow when AllowPlainAuth is "-1", else paRefuse.
  TPlainAuthPolicy PlainAuth = paLegacy;
};

// Reads Security, PopSecurity, TlsFingerprint and AllowPlainAuth of the
// account. A Security or PopSecurity that is not 0, 1 or 2 throws
// ConvertError: guessing could send a password in plain text.
TAccountSecurity ReadAccountSecurity(const IniFileUnit& settings, const AnsiString& account);

// Gives a client the account's settings with `security`, the account's
// Smtp or Pop.
void ApplyAccountSecurity(const TAccountSecurity& account, TSecurity security,
                          TTCPComponent& client);

}  // namespace orvane
