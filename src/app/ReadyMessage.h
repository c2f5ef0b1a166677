#pragma once

#include <memory>
#include <vector>

#include "app/MessageDraft.h"
#include "platform/Clock.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "transport/MessageSource.h"

namespace orvane {

// How a message that another program wrote whole is to be sent, as a
// sendmail command line says it.
struct ReadyOptions {
  bool recipientsFromHeader = false;   // To, Cc and Bcc name recipients too
  std::vector<AnsiString> recipients;  // named besides
  AnsiString envelopeFrom;             // empty: the account's address
  WideString fromName;                 // the From name when the message has none
};

// A message ready to go out, with its envelope.
struct ReadyMessage {
  // The header with CR LF line ends and no Bcc or Resent-Bcc field, the
  // body as it came (or encoded, see PrepareReadyMessage).
  std::shared_ptr<const AnsiString> text;
  // The rest of the body, read as it goes out; null when text is whole.
  std::shared_ptr<MessageSource> rest = nullptr;
  std::vector<AnsiString> recipients;
  AnsiString mailFrom;  // empty: the account's address
  // Its header fields as a draft, the removed Bcc included: what the
  // pre-send rules and a confirmation read.
  MessageDraft draft;
};

// Whether a message that begins with `start` can go out before the rest of
// it is read: its header ends within `start`, at the empty line, and says
// what the body is (MIME-Version, Content-Type, Content-Transfer-Encoding),
// so that nothing in the rest could change the header.
bool HeaderStandsAlone(std::string_view start);

// Makes a message from another program fit to send with the account: the
// Bcc and Resent-Bcc fields removed; From (the account's address, with
// fromName or the account's name), Date and Message-Id added when missing;
// a field holding raw 8-bit text (UTF-8, else Shift_JIS) encoded as
// encoded words in the charset of Encode/Encode. A body the header does
// not describe gets the fields that do: text/plain in UTF-8 or Shift_JIS
// and 8bit when it holds raw 8-bit text; quoted-printable or base64 (the
// body then encoded) when a line is longer than 998 octets, or it holds a
// NUL or a CR that ends no line. A leading mbox "From " line is dropped.
// With recipientsFromHeader every To, Cc and Bcc field counts, a group's
// members as its addresses. Otherwise the header is rewritten in place, so
// the body is never copied. Throws Error for a message without recipients,
// with an address that cannot be one, or with a CR inside a header line;
// ConvertError for a setting that is not a number.
ReadyMessage PrepareReadyMessage(AnsiString text, const ReadyOptions& options,
                                 const IniFileUnit& settings, const AnsiString& account,
                                 const Clock& clock);

}  // namespace orvane
