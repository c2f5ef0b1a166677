#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// What the sender asks of delivery status notifications (RFC 3461); an
// empty part is left to the server. Sent only to a server that advertised
// DSN.
struct TDsnRequest {
  AnsiString notify;  // "NEVER", or SUCCESS, FAILURE and DELAY joined by commas
  AnsiString ret;     // "FULL" or "HDRS": what a notification carries back
  AnsiString envid;   // the sender's own name for the transaction, as given
  bool Empty() const { return notify.empty() && ret.empty() && envid.empty(); }
};

// sendmail's -N: "never", or any of success, failure and delay, joined by
// commas, in either case; the keyword list for NOTIFY, none when invalid.
std::optional<AnsiString> ParseDsnNotify(std::string_view text);
// sendmail's -R: "full" or "hdrs"; none when neither.
std::optional<AnsiString> ParseDsnReturn(std::string_view text);
// sendmail's -V: printable ASCII of at most 100 characters; none otherwise.
std::optional<AnsiString> ParseDsnEnvelopeId(std::string_view text);

// " RET=… ENVID=…" for MAIL FROM and " NOTIFY=…" for each RCPT TO, each
// part with its leading blank, empty for what was not asked.
AnsiString DsnMailParameters(const TDsnRequest& dsn);
AnsiString DsnRcptParameters(const TDsnRequest& dsn);

}  // namespace orvane
