#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "transport/EhloList.h"

namespace orvane {

// What a server's EHLO reply advertised of the extensions the client uses.
// A server that advertised none of them (a HELO, a one-line EHLO reply)
// gets the plain dialogue of RFC 5321.
struct TSmtpExtensions {
  bool size = false;                 // SIZE (RFC 1870)
  std::uint64_t sizeLimit = 0;       // its fixed limit in octets; 0 when none is declared
  bool pipelining = false;           // PIPELINING (RFC 2920)
  bool eightBitMime = false;         // 8BITMIME (RFC 6152)
  bool smtpUtf8 = false;             // SMTPUTF8 (RFC 6531)
  bool dsn = false;                  // DSN (RFC 3461)
  bool enhancedStatusCodes = false;  // ENHANCEDSTATUSCODES (RFC 2034)
};

// The extensions of a parsed EHLO reply. A SIZE parameter that is no
// decimal number declares no limit (RFC 1870 section 4).
TSmtpExtensions ExtensionsOf(const TEhloList& ehlo);

// The parameters of MAIL FROM for a message of `messageSize` octets, each
// with its leading blank: SIZE=n where SIZE is advertised and the size is
// known (not 0); BODY=8BITMIME where 8BITMIME is advertised and the message
// holds (or may hold) 8-bit data.
AnsiString MailParameters(const TSmtpExtensions& extensions, std::uint64_t messageSize,
                          bool eightBit);

// Whether a message of `messageSize` octets is over the advertised limit.
bool OverSizeLimit(const TSmtpExtensions& extensions, std::uint64_t messageSize);

// "メールの大きさ (31.2 MB) がサーバーの上限 (25.0 MB) を超えています。…": the
// refusal before the upload.
WideString SizeRefusalText(std::uint64_t messageSize, std::uint64_t limit);

}  // namespace orvane
