#include "app/ReadyMessage.h"

#include <algorithm>
#include <optional>

#include "app/ComposeMessage.h"
#include "app/MailAddUnit.h"
#include "checks/VendorCharacters.h"
#include "mime/AddressList.h"
#include "mime/CharSet.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderEncoding.h"
#include "mime/HeaderFolding.h"
#include "mime/QuotedPrintable.h"
#include "mime/RfcDate.h"
#include "mime/SevenBit.h"
#include "mime/TransferEncoding.h"
#include "mime/ZelMime.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

namespace orvane {
namespace {

struct RawField {
  std::string_view name;  // without the colon
  AnsiString value;       // after the colon, continuation lines joined by CR LF
};

struct RawHeader {
  std::vector<RawField> fields;
  size_t bodyStart = 0;    // where the body begins, past the empty line
  bool emptyLine = false;  // the header ended with the empty line
  bool bareCr = false;     // a header line holds a CR that does not end it
};

// A field name of printable ASCII (RFC 5322 section 2.2), blanks before the
// colon allowed (section 4.5.3).
std::optional<std::string_view> FieldName(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view name = TrimRight(line.substr(0, colon));
  if (name.empty()) return std::nullopt;
  for (char c : name)
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F)
      return std::nullopt;
  return name;
}

// The header as far as its lines are fields: up to the empty line, or up to
// the first line that is no field, which then begins the body.
RawHeader ReadHeader(std::string_view text) {
  RawHeader header;
  size_t pos = 0;
  // An mbox separator line is not part of the message.
  if (text.starts_with("From ")) pos = std::min(text.find('\n'), text.size() - 1) + 1;
  while (pos < text.size()) {
    const size_t newline = text.find('\n', pos);
    const size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view line = text.substr(pos, next - pos);
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) {
      pos = next;
      header.emptyLine = newline != std::string_view::npos;
      break;
    }
    // A CR that ends no line would end one on the wire, where what follows
    // it would stand as a field of its own.
    if (line.find('\r') != std::string_view::npos) {
      header.bareCr = true;
      break;
    }
    if ((line.front() == ' ' || line.front() == '\t') && !header.fields.empty()) {
      header.fields.back().value += "\r\n";
      header.fields.back().value += line;
    } else if (std::optional<std::string_view> name = FieldName(line)) {
      header.fields.push_back({*name, AnsiString(line.substr(line.find(':') + 1))});
    } else {
      break;
    }
    pos = next;
  }
  header.bodyStart = pos;
  return header;
}

bool Named(const RawField& field, std::string_view name) {
  return SameAsciiText(field.name, name);
}

// The value as text: raw 8-bit bytes as the user's text, else with its
// encoded words decoded.
WideString DecodedValue(const AnsiString& value) {
  const AnsiString line = Unfold(value);
  const std::string_view trimmed = Trim(line);
  if (!IsAsciiBytes(trimmed)) return DecodeUserText(AnsiString(trimmed));
  return DecodeHeaderText(trimmed).Text;
}

// The fields whose values are addresses (RFC 5322 section 3.6.2, 3.6.3).
bool IsAddressField(std::string_view name) {
  for (const char* address :
       {"From", "Sender", "Reply-To", "To", "Cc", "Resent-From", "Resent-Sender", "Resent-To",
        "Resent-Cc", "Disposition-Notification-To"})
    if (SameAsciiText(name, address)) return true;
  return false;
}

// Whether an address can go into MAIL FROM or RCPT TO as it is: a local
// part and a domain (RFC 5321 section 4.1.2), nothing that would end the
// path or the command line, and 7-bit only. The address parser leaves out
// non-ASCII text, so "太郎@example.jp" reaches here as "@example.jp".
bool IsEnvelopeAddress(std::string_view address) {
  const size_t at = address.rfind('@');
  return at != std::string_view::npos && at > 0 && at + 1 < address.size() &&
         std::none_of(address.begin(), address.end(), [](char c) {
           const auto byte = static_cast<unsigned char>(c);
           return byte <= ' ' || byte >= 0x7F || c == '<' || c == '>';
         });
}

void CheckEnvelopeAddress(const AnsiString& address) {
  if (!IsEnvelopeAddress(address))
    throw Error(u"メールアドレスとして使えません: " + SjisToWide(address));
}

// Every field of a kind counts: a second To adds to the first.
void AddAddresses(WideString& list, const RawField& field) {
  const WideString addresses = OpenGroups(DecodedValue(field.value));
  list += (list.empty() || addresses.empty() ? u"" : u", ") + addresses;
}

MessageDraft DraftOf(const std::vector<RawField>& fields) {
  MessageDraft draft;
  for (const RawField& field : fields) {
    if (Named(field, "To")) AddAddresses(draft.ToText, field);
    if (Named(field, "Cc")) AddAddresses(draft.CcText, field);
    if (Named(field, "Bcc")) AddAddresses(draft.BccText, field);
    if (Named(field, "Reply-To")) draft.ReplyToText = DecodedValue(field.value);
    if (Named(field, "In-Reply-To")) draft.InReplyToText = DecodedValue(field.value);
    if (Named(field, "References")) draft.ReferencesText = DecodedValue(field.value);
    if (Named(field, "Subject")) draft.Subject = DecodedValue(field.value);
    if (Named(field, "Disposition-Notification-To")) draft.Disposition = true;
  }
  return draft;
}

// The addresses of the header's To, Cc and Bcc fields as written: encoded
// words are read as they stand, since a display name they decode to may hold
// a comma that would split its mailbox.
std::vector<AnsiString> RecipientsOf(const std::vector<RawField>& fields,
                                     const ReadyOptions& options) {
  TAddressList list;
  if (options.recipientsFromHeader)
    for (const RawField& field : fields)
      if (Named(field, "To") || Named(field, "Cc") || Named(field, "Bcc"))
        list.Add(OpenGroups(DecodeUserText(Unfold(field.value))));
  for (const AnsiString& address : options.recipients) list.Add(std::string_view(address));
  std::vector<AnsiString> recipients(list.begin(), list.end());
  if (recipients.empty())
    throw Error(u"宛先がありません。宛先を引数か To、Cc、Bcc で指定してください");
  std::for_each(recipients.begin(), recipients.end(), CheckEnvelopeAddress);
  return recipients;
}

class HeaderWriter {
 public:
  HeaderWriter(const IniFileUnit& settings, std::vector<RawField> fields)
      : fields_(std::move(fields)) {
    SelectEncodeCharSet(settings, charset_);
  }

  const std::vector<RawField>& Fields() const { return fields_; }

  bool Has(std::string_view name) const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const RawField& field) { return Named(field, name); });
  }

  // The fields as they go out; each 8-bit value encoded in the charset
  // the messages of the program are composed in.
  void WriteFields() {
    THeaderFieldEncoder encoder(charset_, ceField);
    THeaderFieldEncoder utf8(mcsUTF_8, ceField);
    for (const RawField& field : fields_) {
      if (Named(field, "Bcc") || Named(field, "Resent-Bcc")) continue;
      if (IsAsciiBytes(field.value)) {
        Add(field.name, field.value);
        continue;
      }
      const WideString text = DecodedValue(field.value);
      // Text that ISO-2022-JP would carry only through a vendor's rows, or
      // change (half-width katakana become full width), goes as UTF-8: the
      // other program wrote these very characters.
      THeaderFieldEncoder& chosen = FindVendorCharacters({text}, charset_).empty() ? encoder : utf8;
      Add(field.name,
          ' ' + (IsAddressField(field.name) ? chosen.Structured(text) : chosen.Unstructured(text)));
    }
  }

  void AddEncoded(std::string_view name, const WideString& mailbox) {
    THeaderFieldEncoder encoder(charset_, ceField);
    Add(name, ' ' + encoder.Structured(mailbox));
  }

  void Add(std::string_view name, std::string_view value) {
    text_ += name;
    text_ += ':';
    text_ += value;
    text_ += "\r\n";
  }

  AnsiString Text() { return std::move(text_) + "\r\n"; }

 private:
  std::vector<RawField> fields_;
  TMimeCharSet charset_ = mcsUS_ASCII;
  AnsiString text_;
};

// Whether the header says what the body is, whatever the body holds.
bool DescribesBody(const std::vector<RawField>& fields) {
  return std::ranges::all_of(std::initializer_list<std::string_view>{"MIME-Version", "Content-Type",
                                                                     "Content-Transfer-Encoding"},
                             [&](std::string_view name) {
                               return std::ranges::any_of(fields, [&](const RawField& field) {
                                 return Named(field, name);
                               });
                             });
}

// Whether a body cannot go as its lines are: one longer than 998 octets
// (RFC 5322 section 2.1.1), a NUL, or a CR that ends no line (RFC 5322
// section 2.3).
bool NeedsEncoding(std::string_view body) {
  if (body.find('\0') != std::string_view::npos) return true;
  size_t lineStart = 0;
  for (size_t i = 0; i <= body.size(); ++i) {
    if (i < body.size() && body[i] != '\n') continue;
    const size_t end = i > lineStart && body[i - 1] == '\r' ? i - 1 : i;
    if (end - lineStart > 998 ||
        body.substr(lineStart, end - lineStart).find('\r') != std::string_view::npos)
      return true;
    lineStart = i + 1;
  }
  return false;
}

// Whether the header leaves the transfer encoding of the body to us: none
// is named, and the body is no multipart or message, whose parts carry
// their own (RFC 2045 section 6.4).
bool MayEncodeBody(const std::vector<RawField>& fields) {
  for (const RawField& field : fields) {
    if (Named(field, "Content-Transfer-Encoding")) return false;
    if (Named(field, "Content-Type")) {
      const std::string_view type = TrimLeft(std::string_view(field.value));
      if (StartsWithAsciiText(type, "multipart/") || StartsWithAsciiText(type, "message/"))
        return false;
    }
  }
  return true;
}

// A body the header does not describe is told apart from US-ASCII text
// (RFC 2045 section 5.2, 6.1) when it holds 8-bit bytes, and encoded when
// its lines cannot go as they are: quoted-printable, or base64 where that
// is shorter or a NUL is in it. Returns the encoded body, if it was.
std::optional<AnsiString> DescribeBody(HeaderWriter& header, std::string_view body) {
  const bool ascii = IsAsciiBytes(body);
  const bool encode = MayEncodeBody(header.Fields()) && NeedsEncoding(body);
  if (ascii && !encode) return std::nullopt;
  if (!header.Has("MIME-Version")) header.Add("MIME-Version", " 1.0");
  if (!header.Has("Content-Type"))
    header.Add("Content-Type", ascii               ? " text/plain; charset=US-ASCII"
                               : IsValidUtf8(body) ? " text/plain; charset=UTF-8"
                                                   : " text/plain; charset=Shift_JIS");
  if (!encode) {
    if (!header.Has("Content-Transfer-Encoding")) header.Add("Content-Transfer-Encoding", " 8bit");
    return std::nullopt;
  }
  const AnsiString lines = WithCrLfLineEnds(body);
  const size_t base64Size = (lines.size() + 47) / 48 * 66;
  if (lines.find('\0') == std::string::npos) {
    AnsiString quoted = QuotedPrintableEncode(lines);
    if (quoted.size() <= base64Size) {
      header.Add("Content-Transfer-Encoding", " quoted-printable");
      return quoted;
    }
  }
  header.Add("Content-Transfer-Encoding", " base64");
  AnsiString base64;
  AppendBase64Lines(lines, base64);
  return base64;
}

}  // namespace

bool HeaderStandsAlone(std::string_view start) {
  const RawHeader header = ReadHeader(start);
  return header.emptyLine && DescribesBody(header.fields);
}

ReadyMessage PrepareReadyMessage(AnsiString text, const ReadyOptions& options,
                                 const IniFileUnit& settings, const AnsiString& account,
                                 const Clock& clock) {
  RawHeader raw = ReadHeader(text);
  if (raw.bareCr) throw Error(u"ヘッダーの行の途中に CR (改行でない復帰文字) があります");
  ReadyMessage ready;
  ready.draft = DraftOf(raw.fields);
  ready.recipients = RecipientsOf(raw.fields, options);
  if (!options.envelopeFrom.empty()) CheckEnvelopeAddress(options.envelopeFrom);
  ready.mailFrom = options.envelopeFrom;

  const AnsiString address = settings.Read(account, keys::kAddress);
  const TimePoint now = clock.Now();
  HeaderWriter header(settings, std::move(raw.fields));
  header.WriteFields();
  if (!header.Has("From")) {
    const WideString name = options.fromName.empty()
                                ? SjisToWide(settings.Read(account, keys::kName))
                                : options.fromName;
    header.AddEncoded("From", QuoteDisplayName(name) + u"<" + SjisToWide(address) + u">");
  }
  if (!header.Has("Date")) header.Add("Date", ' ' + RfcDateString(now));
  if (!header.Has("Message-Id"))
    header.Add("Message-Id", ' ' + NewMessageId(now, address, mtYMDHNS));
  std::optional<AnsiString> encoded =
      DescribeBody(header, std::string_view(text).substr(raw.bodyStart));
  if (encoded)
    text = header.Text() + *encoded;
  else
    text.replace(0, raw.bodyStart, header.Text());
  ready.text = std::make_shared<const AnsiString>(std::move(text));
  return ready;
}

}  // namespace orvane
