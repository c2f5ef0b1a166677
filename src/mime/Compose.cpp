#include <cstdio>

#include "mime/BodyWriter.h"
#include "mime/ByteText.h"
#include "mime/HeaderEncoding.h"
#include "mime/RfcDate.h"
#include "mime/ZelMime.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// In-Reply-To and References: the ids of a comma-separated list, each in
// angle brackets; empty when the first element holds no id.
AnsiString IdList(const AnsiString& value) {
  TParsedAddress first = ParseAddress(SjisToWide(Trim(value)));
  if (first.address.empty()) return {};
  AnsiString ids = "<" + first.address + ">";
  WideString rest = std::move(first.rest);
  while (!rest.empty()) {
    TParsedAddress next = ParseAddress(rest);
    if (!next.address.empty()) ids += " <" + next.address + ">";
    rest = std::move(next.rest);
  }
  return ids;
}

// A field name of printable ASCII without spaces (RFC 5322 section 2.2).
bool IsPlainAsciiName(std::string_view name) {
  for (char c : name)
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) return false;
  return true;
}

}  // namespace

AnsiString NewMessageId(TimePoint moment, const AnsiString& address, TMessageIdType type) {
  AnsiString stamp = type == mtDOS ? std::to_string(DosDateTime(moment)) : CompactDateTime(moment);
  return "<" + stamp + RandomLetters() + address + ">";
}

void TZelMime::ComposeHeader(TMimeCharSet& charset) {
  // In ceMessage mode the charset one field settles on carries over to
  // the fields after it and to the body.
  THeaderFieldEncoder encoder(DefaultEncodeCharSet, CharSetEncodeMode);
  auto structured = [&](std::string_view name, const WideString& value) {
    WideString text = WithoutLeadingSpaces(value);
    if (text.empty()) return;
    SetField(name, encoder.Structured(text));
    if (CharSetEncodeMode == ceMessage) charset = encoder.CharSet();
  };
  auto unstructured = [&](std::string_view name, const WideString& value) {
    WideString text = WithoutLeadingSpaces(value);
    if (text.empty()) return;
    SetField(name, encoder.Unstructured(text));
    if (CharSetEncodeMode == ceMessage) charset = encoder.CharSet();
  };
  auto fixedJis = [&](std::string_view name, const AnsiString& value) {
    if (!Trim(value).empty()) SetField(name, EncodeFixedJis(value));
  };

  if (Option.Has(TMimeOption::SetDateField)) SetField("Date:", RfcDateString(clock_.Now()));
  structured("From:", from_);
  structured("Organization:", SjisToWide(organization_));
  unstructured("Subject:", subject_);
  unstructured("Newsgroups:", SjisToWide(newsgroups_));
  structured("Sender:", sender_);
  structured("Reply-To:", replyTo_);

  recipients_.Clear();
  structured("To:", to_);
  recipients_.Add(WithoutLeadingSpaces(to_));
  structured("Cc:", cc_);
  recipients_.Add(WithoutLeadingSpaces(cc_));
  if (WantBcc) structured("Bcc:", bcc_);
  recipients_.Add(WithoutLeadingSpaces(bcc_));

  if (!Trim(messageId_).empty()) {
    SetField("Message-Id:", messageId_);
  } else if (AnsiString address = ParseAddress(from_).address; !address.empty()) {
    messageId_ = NewMessageId(clock_.Now(), address, MessageIdType);
    SetField("Message-Id:", messageId_);
  }
  if (AnsiString ids = IdList(inReplyTo_); !ids.empty()) SetField("In-Reply-To:", ids);
  if (AnsiString ids = IdList(references_); !ids.empty()) SetField("References:", ids);
  SetField("MIME-Version:", "1.0");
  fixedJis("X-Mailer:", xMailer_);
  fixedJis("X-NewsReader:", xNewsReader_);

  for (const AnsiString& line : HeaderLines) {
    size_t colon = line.find(':');
    if (colon == AnsiString::npos || colon == 0 || colon + 1 == line.size()) continue;
    std::string_view name = std::string_view(line).substr(0, colon + 1);
    if (!IsPlainAsciiName(name)) continue;
    // A read-receipt request names a mailbox (RFC 8098 section 2.1): as
    // text, the quotes of a name that needs encoding would end up inside
    // its encoded word (RFC 2047 section 5).
    if (SameAsciiText(name, "Disposition-Notification-To:"))
      structured(name, SjisToWide(line.substr(colon + 1)));
    else
      SetField(name, EncodeFixedJis(line.substr(colon + 1)));
  }
}

TMimeCharSet TZelMime::Compose() {
  TMimeCharSet charset = DefaultEncodeCharSet;
  ComposeHeader(charset);
  if (CharSetEncodeMode == ceMessage) messageCharSet_ = charset;
  for (const char* name : {"Content-Disposition:", "Content-Type:", "Content-Transfer-Encoding:"})
    SetField(name, {});

  AnsiString text(Trim(header_.Text));
  TBodyWriter(*this, text).WriteBody();
  messageText_ = std::move(text);
  SplitMessageText();
  TZelTextPart* main = MainTextPart(root_.get());
  return main ? main->CharSet : mcsUS_ASCII;
}

}  // namespace orvane
