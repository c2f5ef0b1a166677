#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "mime/AddressList.h"
#include "mime/AttachList.h"
#include "mime/AttachStore.h"
#include "mime/AttachmentName.h"
#include "mime/CharSet.h"
#include "mime/ContentType.h"
#include "mime/HeaderEncoding.h"
#include "mime/HeaderString.h"
#include "mime/MimeOptions.h"
#include "mime/PartTree.h"
#include "mime/PartialData.h"
#include "mime/ZelMimePart.h"
#include "platform/Clock.h"
#include "platform/Path.h"
#include "platform/Types.h"

namespace orvane {

enum TMessageIdType { mtYMDHNS, mtDOS };

// A Message-ID of the moment and the sender's address, angle brackets
// included: the time stamp of `type`, six random letters and the address.
AnsiString NewMessageId(TimePoint moment, const AnsiString& address, TMessageIdType type);
// Stored only; no operation consults it.
enum TMessageType { tsPlain, tsHtml, tsHtmlToAttach, tsObject };

class TMimeDecoder;
class TBodyWriter;
class TZelMime;

// Event handler types. Every handler gets the component first; a reference
// parameter is what the handler may change.
using TNotifyEvent = std::function<void(TZelMime&)>;
using THeaderFieldCreateEvent =
    std::function<void(TZelMime&, const AnsiString& fieldName, AnsiString& param)>;
using TContentTypeEvent =
    std::function<void(TZelMime&, const AnsiString& ext, bool isDefault, AnsiString& contentType)>;
using TTextEncodingEvent =
    std::function<void(TZelMime&, const WideString& text, AnsiString& encoded, AnsiString& charSet,
                       AnsiString& encoding)>;
using TUseUnicodeEvent =
    std::function<void(TZelMime&, bool& toUnicode, TUnicodeEncodingType& uniType)>;
using TDecodeHeaderEvent = std::function<void(TZelMime&, const AnsiString& fieldName,
                                              const AnsiString& param, TMimeCharSet charset)>;
using TDecodeHeaderWEvent = std::function<void(TZelMime&, const AnsiString& fieldName,
                                               const WideString& param, TMimeCharSet charset)>;
using TMimePartDecodingEvent = std::function<void(
    TZelMime&, std::string_view parentBoundary, std::string_view boundary, std::string_view header,
    std::string_view body, TContentType type, std::string_view subType, std::string_view charset)>;
using TMimePartAddEvent = std::function<void(TZelMime&, TZelMimePart& part)>;
using TAttachDecodeEvent = std::function<void(
    TZelMime&, TContentType type, const AnsiString& subType, WideString& fileName, bool& canSave)>;
using TDecodeWarningEvent = std::function<void(TZelMime&, const WideString& message)>;

// The message component: composes an Internet message (RFC 5322, MIME)
// from header values, a body text and attachment files, and reads saved
// messages back into header values and a part tree. Header values and the
// body are Unicode; MessageText holds the message bytes with CR LF line
// ends. Bad input never raises: conversions fall back and carry on. Only
// file errors of the platform (a body or attachment file that exists but
// cannot be read, LoadFromFile, SaveToFile) pass on as FileError.
class TZelMime {
 public:
  // Sets the process-wide Unicode fallback to UTF-7. The clock gives the
  // Date, Message-ID and boundary times; the program folder, which the
  // caller names, holds the default attachment folder "Attach" (a message
  // whose header alone is read needs none).
  TZelMime(const Clock& clock, std::filesystem::path programFolder);
  virtual ~TZelMime();
  TZelMime(const TZelMime&) = delete;
  TZelMime& operator=(const TZelMime&) = delete;

  // --- Published settings -------------------------------------------------
  std::filesystem::path AttachDir;  // where decoded attachments go; empty: "Attach"
  // What keeps the files decoding saves: the folder on disk, or a store of
  // the caller's that outlives the component.
  TAttachStore* AttachStore = &DiskAttachStore();
  TAttachNameEncode AttachNameEncode = aeRfc2231;
  TMessageIdType MessageIdType = mtYMDHNS;
  TMessageType MessageType = tsPlain;
  TMimeCharSet DefaultEncodeCharSet = mcsUS_ASCII;
  TMimeOptions Option = TMimeOptions::Defaults();
  bool WantBcc = true;
  bool MimeSorted = false;
  bool UserEncode = false;
  TCharSetEncodeMode CharSetEncodeMode = ceField;
  TPartialData Partials;
  // The process-wide Unicode fallback, shared by every component.
  TUnicodeEncodingType UnicodeEncoding() const;
  void SetUnicodeEncoding(TUnicodeEncodingType value);

  // --- Events ---------------------------------------------------------------
  // For every header field Compose or SetHeaderField sets or removes; the
  // value left in param is written (empty removes the field).
  THeaderFieldCreateEvent OnHeaderFieldCreate;
  // For every attachment written; a handler can give a type to an unknown
  // extension (isDefault false) but not change a built-in one.
  TContentTypeEvent OnContentTypeCreate;
  // With UserEncode, encodes the body text; what it returns is used as is.
  TTextEncodingEvent OnTextEncoding;
  // When the body cannot be represented in its charset; clearing toUnicode
  // keeps the lossy first conversion.
  TUseUnicodeEvent OnUseUnicode;
  TNotifyEvent OnBeginDecode;
  TNotifyEvent OnEndDecode;
  TDecodeHeaderEvent OnHeaderFieldDecoded;
  TDecodeHeaderWEvent OnHeaderFieldDecodedW;
  // Before each part is decoded (raised directly, not through a Do method).
  TMimePartDecodingEvent OnMimePartDecoding;
  // After each decoded part has entered the tree.
  TMimePartAddEvent OnMimePartDecoded;
  // Before an attachment is saved; the handler may rename it or refuse.
  TAttachDecodeEvent OnAttachDecoding;
  // Never raised by any operation.
  TNotifyEvent OnCreatePartialData;
  TNotifyEvent OnReassembled;
  // A message for the user while decoding (the attachment folder cannot be
  // made); without a handler it goes to the standard error stream.
  TDecodeWarningEvent OnDecodeWarning;

  // --- Operations -----------------------------------------------------------
  // Empties the tree, the recipients, the decoding results, every header
  // value, HeaderLines, MessageText, Header and RawBody.
  void Clear();
  // Builds MessageText; returns the charset of the main text part.
  TMimeCharSet Compose();
  // Clear, then splits the text at its first empty line into Header and
  // RawBody; nothing is decoded until a getter or Decode asks.
  void SetMessageText(AnsiString text);
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;
  // Sets one field of the current message at once (the value is not
  // encoded; an empty value removes the field).
  void SetHeaderField(std::string_view name, std::string_view value);
  // Decodes MessageText into header values and the part tree, saving
  // attachments; returns the charset of the main text part.
  TMimeCharSet Decode();

  // The content type written for a file, with OnContentTypeCreate.
  AnsiString ContentTypeFor(const std::filesystem::path& file);
  // Appends the attachment part of a file to out; false (nothing written)
  // when the file does not exist.
  bool WriteAttachment(const std::filesystem::path& file, AnsiString& out);

  // --- Header values ----------------------------------------------------------
  // While Header is not empty, these read the field from it (unfolded and,
  // for the Unicode ones, decoded) and keep what they read as the value;
  // otherwise they return the value set. A later Compose writes that value.
  WideString From() const;
  WideString To() const;
  WideString Cc() const;
  WideString Bcc() const;
  WideString ReplyTo() const;
  WideString Subject() const;
  AnsiString MessageId() const;
  AnsiString InReplyTo() const;
  AnsiString References() const;
  // The value set, or the one Decode read.
  WideString Sender() const { return sender_; }
  void SetFrom(WideString value) { from_ = std::move(value); }
  void SetTo(WideString value) { to_ = std::move(value); }
  void SetCc(WideString value) { cc_ = std::move(value); }
  void SetBcc(WideString value) { bcc_ = std::move(value); }
  void SetReplyTo(WideString value) { replyTo_ = std::move(value); }
  void SetSubject(WideString value) { subject_ = std::move(value); }
  void SetSender(WideString value) { sender_ = std::move(value); }
  void SetMessageId(AnsiString value) { messageId_ = std::move(value); }
  void SetInReplyTo(AnsiString value) { inReplyTo_ = std::move(value); }
  void SetReferences(AnsiString value) { references_ = std::move(value); }
  // Shift_JIS values, read as set (or as Decode stored them).
  const AnsiString& XMailer() const { return xMailer_; }
  const AnsiString& XNewsReader() const { return xNewsReader_; }
  const AnsiString& Newsgroups() const { return newsgroups_; }
  const AnsiString& Organization() const { return organization_; }
  void SetXMailer(AnsiString value) { xMailer_ = std::move(value); }
  void SetXNewsReader(AnsiString value) { xNewsReader_ = std::move(value); }
  void SetNewsgroups(AnsiString value) { newsgroups_ = std::move(value); }
  void SetOrganization(AnsiString value) { organization_ = std::move(value); }
  // The Date field; none when it is missing or unreadable, unless
  // NoTimeToNow makes that the current time.
  std::optional<TimePoint> Date() const;

  // Extra header lines (Shift_JIS), each a field name, a colon and a value.
  std::vector<AnsiString> HeaderLines;

  // The main text part's text; else the first HTML part's source; else
  // RawBody, both taken as Shift_JIS. Setting it replaces the main text
  // part's text or adds a text part, with DefaultEncodeCharSet as charset.
  WideString BodyText() const;
  void SetBodyText(WideString text);

  // The attachment list, refreshed from the tree.
  TAttachList& Attachments();
  TAddressList& Recipients() { return recipients_; }
  const TAddressList& Recipients() const { return recipients_; }
  const AnsiString& MessageText() const { return messageText_; }
  // The part of MessageText after its first empty line.
  std::string_view RawBody() const;
  const THeaderString& Header() const { return header_; }
  TZelMimePart* RootPart() const { return root_.get(); }
  // Adds a part to the tree as AddPart does while composing.
  TZelMimePart* AddPart(std::unique_ptr<TZelMimePart> part);
  // The charset of the whole message in ceMessage mode during Compose.
  TMimeCharSet MessageCharSet() const { return messageCharSet_; }
  // What Decode saved: entry i of the first list is a Content-ID, entry i
  // of the second the path its part was saved to.
  const std::vector<AnsiString>& ContentIds() const { return contentIds_; }
  const std::vector<std::filesystem::path>& SavedFiles() const { return savedFiles_; }
  const Clock& GetClock() const { return clock_; }
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }

 protected:
  virtual void DoAttachDecoding(TContentType type, const AnsiString& subType, WideString& fileName,
                                bool& canSave);
  virtual void DoHeaderFieldCreate(const AnsiString& fieldName, AnsiString& param);
  virtual void DoContentTypeCreate(const AnsiString& ext, bool isDefault, AnsiString& contentType);
  virtual void DoHeaderFieldDecoded(const AnsiString& fieldName, const AnsiString& param,
                                    TMimeCharSet charset);
  virtual void DoHeaderFieldDecodedW(const AnsiString& fieldName, const WideString& param,
                                     TMimeCharSet charset);
  virtual void DoBeginDecode();
  virtual void DoEndDecode();
  virtual void DoCreatePartialData();
  virtual void DoReassembled();
  virtual void DoTextEncoding(const WideString& text, AnsiString& encoded, AnsiString& charSet,
                              AnsiString& encoding);
  virtual void DoUseUnicode(bool& toUnicode, TUnicodeEncodingType& uniType);
  virtual void DoMimePartDecoded(TZelMimePart& part);
  virtual void DoDecodeWarning(const WideString& message);

 private:
  friend class TAttachList;
  friend class TBodyWriter;
  friend class TMimeDecoder;

  // Sets a field in Header as Compose does: the event may change the value;
  // an empty one removes the field.
  void SetField(std::string_view fieldName, AnsiString value);
  void ComposeHeader(TMimeCharSet& charset);
  void SplitMessageText();
  WideString DecodedField(std::string_view key, WideString& stored) const;
  AnsiString RawField(std::string_view key, AnsiString& stored) const;

  const Clock& clock_;
  std::filesystem::path programFolder_;
  TPartRoot root_;
  TAddressList recipients_;
  TAttachList attachments_{*this};
  std::vector<AnsiString> contentIds_;
  std::vector<std::filesystem::path> savedFiles_;
  THeaderString header_;
  AnsiString messageText_;
  size_t bodyBegin_ = 0;  // RawBody is messageText_[bodyBegin_, bodyEnd_)
  size_t bodyEnd_ = 0;
  // The getters keep what they read from Header in these.
  mutable AnsiString messageId_, references_, inReplyTo_;
  AnsiString xMailer_, xNewsReader_, newsgroups_, organization_;
  WideString sender_;
  mutable WideString subject_, replyTo_, from_, to_, cc_, bcc_;
  TMimeCharSet messageCharSet_ = mcsUS_ASCII;
};

}  // namespace orvane
