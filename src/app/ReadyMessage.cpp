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
#include "mime/HeaderFields.h"
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
void AddAddresses(WideString& list, const HeaderField& field) {
  const WideString addresses = OpenGroups(DecodedValue(field.value));
  list += (list.empty() || addresses.empty() ? u"" : u", ") + addresses;
}

MessageDraft DraftOf(const std::vector<HeaderField>& fields) {
  MessageDraft draft;
  for (const HeaderField& field : fields) {
    if (IsNamed(field, "To")) AddAddresses(draft.ToText, field);
    if (IsNamed(field, "Cc")) AddAddresses(draft.CcText, field);
    if (IsNamed(field, "Bcc")) AddAddresses(draft.BccText, field);
    if (IsNamed(field, "Reply-To")) draft.ReplyToText = DecodedValue(field.value);
    if (IsNamed(field, "In-Reply-To")) draft.InReplyToText = DecodedValue(field.value);
    if (IsNamed(field, "References")) draft.ReferencesText = DecodedValue(field.value);
    if (IsNamed(field, "Subject")) draft.Subject = DecodedValue(field.value);
    if (IsNamed(field, "Disposition-Notification-To")) draft.Disposition = true;
  }
  return draft;
}

// The addresses of the header's To, Cc and Bcc fields as written: encoded
// words are read as they stand, since a display name they decode to may hold
// a comma that would split its mailbox.
std::vector<AnsiString> RecipientsOf(const std::vector<HeaderField>& fields,
                                     const ReadyOptions& options) {
  TAddressList list;
  if (options.recipientsFromHeader)
    for (const HeaderField& field : fields)
      if (IsNamed(field, "To") || IsNamed(field, "Cc") || IsNamed(field, "Bcc"))
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
  HeaderWriter(const IniFileUnit& settings, std::vector<HeaderField> fields)
      : fields_(std::move(fields)) {
    SelectEncodeCharSet(settings, charset_);
  }

  const std::vector<HeaderField>& Fields() const { return fields_; }

  bool Has(std::string_view name) const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const HeaderField& field) { return IsNamed(field, name); });
  }

  // The fields as they go out; each 8-bit value encoded in the charset
  // the messages of the program are composed in.
  void WriteFields() {
    THeaderFieldEncoder encoder(charset_, ceField);
    THeaderFieldEncoder utf8(mcsUTF_8, ceField);
    for (const HeaderField& field : fields_) {
      if (IsNamed(field, "Bcc") || IsNamed(field, "Resent-Bcc")) continue;
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
  std::vector<HeaderField> fields_;
  TMimeCharSet charset_ = mcsUS_ASCII;
  AnsiString text_;
};

// Whether the header says what the body is, whatever the body holds.
bool DescribesBody(const std::vector<HeaderField>& fields) {
  return std::ranges::all_of(std::initializer_list<std::string_view>{"MIME-Version", "Content-Type",
                                                                     "Content-Transfer-Encoding"},
                             [&](std::string_view name) {
                               return std::ranges::any_of(fields, [&](const HeaderField& field) {
                                 return IsNamed(field, name);
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
bool MayEncodeBody(const std::vector<HeaderField>& fields) {
  for (const HeaderField& field : fields) {
    if (IsNamed(field, "Content-Transfer-Encoding")) return false;
    if (IsNamed(field, "Content-Type")) {
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
  const HeaderFields header = ReadHeaderFields(start);
  return header.emptyLine && DescribesBody(header.fields);
}

ReadyMessage PrepareReadyMessage(AnsiString text, const ReadyOptions& options,
                                 const IniFileUnit& settings, const AnsiString& account,
                                 const Clock& clock) {
  HeaderFields raw = ReadHeaderFields(text);
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
