#pragma once

#include "platform/Types.h"

namespace orvane {

// What a connection asks of TLS; the values are those of the account keys
// Security and PopSecurity.
enum TSecurity {
  scNone,      // plain text throughout
  scStartTls,  // plain greeting, then STARTTLS (RFC 3207) or STLS (RFC 2595)
  scTls,       // TLS from the first byte (RFC 8314)
};

// Security or PopSecurity as stored, read as the account file's numbers
// are. Anything but 0, 1 or 2 throws ConvertError: guessing could send a
// password in plain text.
TSecurity SecurityFromText(const AnsiString& text);
AnsiString SecurityText(TSecurity security);

// AllowPlainAuth as stored: only "-1" allows. A hand-edited "1" or "True",
// which other account booleans take for true, refuses: a doubtful value
// never lets a password out in plain text.
bool PlainAuthAllowedFromText(const AnsiString& text);

}  // namespace orvane
