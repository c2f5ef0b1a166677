#include "mime/ZelMime.h"

#include <iostream>

#include "mime/ByteText.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderFolding.h"
#include "mime/RfcDate.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace orvane {

TZelMime::TZelMime(const Clock& clock, std::filesystem::path programFolder)
    : clock_(clock), programFolder_(std::move(programFolder)) {
  SetUnicodeEncodingSetting(ueUTF_7);
}

TZelMime::~TZelMime() = default;

TUnicodeEncodingType TZelMime::UnicodeEncoding() const {
  return UnicodeEncodingSetting();
}

void TZelMime::SetUnicodeEncoding(TUnicodeEncodingType value) {
  SetUnicodeEncodingSetting(value);
}

void TZelMime::Clear() {
  root_.reset();
  recipients_.Clear();
  attachments_.Refresh();
  contentIds_.clear();
  savedFiles_.clear();
  messageId_.clear();
  references_.clear();
  inReplyTo_.clear();
  xMailer_.clear();
  xNewsReader_.clear();
  newsgroups_.clear();
  organization_.clear();
  subject_.clear();
  sender_.clear();
  replyTo_.clear();
  from_.clear();
  to_.clear();
  cc_.clear();
  bcc_.clear();
  HeaderLines.clear();
  messageText_.clear();
  header_.Clear();
  bodyBegin_ = bodyEnd_ = 0;
  messageCharSet_ = mcsUS_ASCII;
}

void TZelMime::SetMessageText(AnsiString text) {
  Clear();
  messageText_ = std::move(text);
  SplitMessageText();
}

void TZelMime::SplitMessageText() {
  size_t at = messageText_.find("\r\n\r\n");
  if (at == AnsiString::npos) {
    header_.SetText(messageText_);
    bodyBegin_ = bodyEnd_ = messageText_.size();
    return;
  }
  header_.SetText("\r\n" + messageText_.substr(0, at + 2));
  bodyBegin_ = at + 4;
  bodyEnd_ = messageText_.size();
}

std::string_view TZelMime::RawBody() const {
  return std::string_view(messageText_).substr(bodyBegin_, bodyEnd_ - bodyBegin_);
}

void TZelMime::LoadFromFile(const std::filesystem::path& path) {
  SetMessageText(ReadWholeFile(path));
}

void TZelMime::SaveToFile(const std::filesystem::path& path) const {
  WriteWholeFile(path, messageText_);
}

void TZelMime::SetField(std::string_view fieldName, AnsiString value) {
  AnsiString name(Trim(fieldName));
  DoHeaderFieldCreate(name, value);
  if (Trim(value).empty()) value.clear();  // a blank value removes the field too
  header_.SetField("\r\n" + ToAsciiLower(name), name, value);
}

void TZelMime::SetHeaderField(std::string_view name, std::string_view value) {
  AnsiString fieldName(Trim(name));
  if (fieldName.empty()) return;
  if (fieldName.back() != ':') fieldName += ':';
  SetField(fieldName, AnsiString(value));
  AnsiString body(RawBody());
  AnsiString text(Trim(header_.Text));
  text += "\r\n\r\n";
  text += body;
  messageText_ = std::move(text);
  SplitMessageText();
}

WideString TZelMime::DecodedField(std::string_view key, WideString& stored) const {
  if (!header_.Text.empty()) stored = DecodeHeaderText(Unfold(header_.FieldValue(key))).Text;
  return stored;
}

AnsiString TZelMime::RawField(std::string_view key, AnsiString& stored) const {
  if (!header_.Text.empty()) stored = Unfold(header_.FieldValue(key));
  return stored;
}

WideString TZelMime::From() const {
  return DecodedField("\r\nfrom:", from_);
}
WideString TZelMime::To() const {
  return DecodedField("\r\nto:", to_);
}
WideString TZelMime::Cc() const {
  return DecodedField("\r\ncc:", cc_);
}
WideString TZelMime::Bcc() const {
  return DecodedField("\r\nbcc:", bcc_);
}
WideString TZelMime::ReplyTo() const {
  return DecodedField("\r\nreply-to:", replyTo_);
}
WideString TZelMime::Subject() const {
  return DecodedField("\r\nsubject:", subject_);
}
AnsiString TZelMime::MessageId() const {
  return RawField("\r\nmessage-id:", messageId_);
}
AnsiString TZelMime::InReplyTo() const {
  return RawField("\r\nin-reply-to:", inReplyTo_);
}
AnsiString TZelMime::References() const {
  return RawField("\r\nreferences:", references_);
}

std::optional<TimePoint> TZelMime::Date() const {
  std::optional<TimePoint> date = ParseRfcDate(Unfold(header_.FieldValue("\r\ndate:")));
  if (!date && Option.Has(TMimeOption::NoTimeToNow)) return clock_.Now();
  return date;
}

WideString TZelMime::BodyText() const {
  if (TZelTextPart* main = MainTextPart(root_.get())) return main->Text;
  if (TZelHtmlPart* html = FirstHtmlPart(root_.get())) return SjisToWide(html->ReadSource());
  return SjisToWide(RawBody());
}

void TZelMime::SetBodyText(WideString text) {
  if (TZelTextPart* main = MainTextPart(root_.get())) {
    main->SetText(std::move(text));
    main->CharSet = DefaultEncodeCharSet;
    return;
  }
  auto part = std::make_unique<TZelTextPart>();
  part->SetText(std::move(text));
  part->CharSet = DefaultEncodeCharSet;
  AddPart(std::move(part));
}

TZelMimePart* TZelMime::AddPart(std::unique_ptr<TZelMimePart> part) {
  return orvane::AddPart(root_, std::move(part), clock_);
}

TAttachList& TZelMime::Attachments() {
  attachments_.Refresh();
  return attachments_;
}

void TZelMime::DoAttachDecoding(TContentType type, const AnsiString& subType, WideString& fileName,
                                bool& canSave) {
  if (OnAttachDecoding) OnAttachDecoding(*this, type, subType, fileName, canSave);
}

void TZelMime::DoHeaderFieldCreate(const AnsiString& fieldName, AnsiString& param) {
  if (OnHeaderFieldCreate) OnHeaderFieldCreate(*this, fieldName, param);
}

void TZelMime::DoContentTypeCreate(const AnsiString& ext, bool isDefault, AnsiString& contentType) {
  if (OnContentTypeCreate) OnContentTypeCreate(*this, ext, isDefault, contentType);
}

void TZelMime::DoHeaderFieldDecoded(const AnsiString& fieldName, const AnsiString& param,
                                    TMimeCharSet charset) {
  if (OnHeaderFieldDecoded) OnHeaderFieldDecoded(*this, fieldName, param, charset);
}

void TZelMime::DoHeaderFieldDecodedW(const AnsiString& fieldName, const WideString& param,
                                     TMimeCharSet charset) {
  if (OnHeaderFieldDecodedW) OnHeaderFieldDecodedW(*this, fieldName, param, charset);
}

void TZelMime::DoBeginDecode() {
  if (OnBeginDecode) OnBeginDecode(*this);
}

void TZelMime::DoEndDecode() {
  if (OnEndDecode) OnEndDecode(*this);
}

void TZelMime::DoCreatePartialData() {
  if (OnCreatePartialData) OnCreatePartialData(*this);
}

void TZelMime::DoReassembled() {
  if (OnReassembled) OnReassembled(*this);
}

void TZelMime::DoTextEncoding(const WideString& text, AnsiString& encoded, AnsiString& charSet,
                              AnsiString& encoding) {
  if (OnTextEncoding) OnTextEncoding(*this, text, encoded, charSet, encoding);
}

void TZelMime::DoUseUnicode(bool& toUnicode, TUnicodeEncodingType& uniType) {
  if (OnUseUnicode) OnUseUnicode(*this, toUnicode, uniType);
}

void TZelMime::DoMimePartDecoded(TZelMimePart& part) {
  if (OnMimePartDecoded) OnMimePartDecoded(*this, part);
}

void TZelMime::DoDecodeWarning(const WideString& message) {
  if (OnDecodeWarning) {
    OnDecodeWarning(*this, message);
  } else {
    std::cerr << WideToUtf8(message) << '\n';
  }
}

}  // namespace orvane
