#include "mime/Decode.h"

#include "mime/ByteText.h"
#include "mime/FileNames.h"
#include "mime/HeaderDecoding.h"
#include "mime/HeaderFolding.h"
#include "mime/LineDecoder.h"
#include "mime/Rfc2231.h"
#include "mime/RfcDate.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

bool HasFileNameParameter(std::string_view header, std::string_view lower) {
  return !DecodeParameterText(lower, header, "\r\ncontent-disposition:", "filename").empty() ||
         !DecodeParameterText(lower, header, "\r\ncontent-type:", "name").empty();
}

// The header a decoded root keeps: its Content-Type and
// Content-Transfer-Encoding lines.
AnsiString RootHeaderText(std::string_view header, std::string_view lower) {
  AnsiString text;
  if (TFieldRange f = FindField(lower, "\r\ncontent-type:"); f.found)
    text = "Content-Type: " + AnsiString(Trim(header.substr(f.begin, f.end - f.begin)));
  if (TFieldRange f = FindField(lower, "\r\ncontent-transfer-encoding:"); f.found) {
    if (!text.empty()) text += "\r\n";
    text +=
        "Content-Transfer-Encoding: " + AnsiString(Trim(header.substr(f.begin, f.end - f.begin)));
  }
  return text;
}

// The next CR LF "--" boundary from position from, or npos. A boundary
// comes from one unfolded header line and so holds no CR LF: comparing it
// at one CR LF "--" never reads past the next, and the search stays linear
// in the body however long the boundary and however often it nearly
// matches. It looks for the first "-": base64 has none, so one memchr
// passes a whole attachment.
size_t FindDelimiter(std::string_view body, std::string_view boundary, size_t from) {
  for (size_t dash = from + 2; (dash = body.find('-', dash)) != std::string_view::npos; ++dash) {
    if (body.compare(dash - 2, 4, "\r\n--") == 0 && body.substr(dash + 2).starts_with(boundary))
      return dash - 2;
  }
  return std::string_view::npos;
}

}  // namespace

TMimeCharSet TZelMime::Decode() {
  return TMimeDecoder(*this).Run();
}

TMimeCharSet TMimeDecoder::Run() {
  mime_.DoBeginDecode();
  mime_.root_.reset();
  mime_.recipients_.Clear();
  mime_.contentIds_.clear();
  mime_.savedFiles_.clear();
  // The end mark of a POP3 retrieval (RFC 1939 section 3).
  if (mime_.RawBody().ends_with("\r\n.\r\n")) mime_.bodyEnd_ -= 5;

  DecodeMainFields();
  subject_ = mime_.Subject();
  ComputeAttachFolder();

  AnsiString header = Unfold(mime_.header_.Text);
  AnsiString lower = ToAsciiLower(header);
  if (mime_.Option.Has(TMimeOption::MultiPartDecode)) {
    DecodeEntity(header, lower, mime_.RawBody(), nullptr, 0);
  } else {
    AnsiString bytes = TransferDecoded(mime_.RawBody(), TransferEncodingOf(lower));
    mime_.SetBodyText(CharSetToUnicode("", bytes, bytes));
    if (TZelTextPart* main = MainTextPart(mime_.RootPart())) main->CharSet = mcsUnKnown;
  }
  TZelTextPart* main = MainTextPart(mime_.RootPart());
  TMimeCharSet result = main ? main->CharSet : mcsUS_ASCII;
  if (mime_.Option.Has(TMimeOption::CidReplace)) ReplaceContentIds();
  mime_.DoEndDecode();
  return result;
}

void TMimeDecoder::DecodeMainFields() {
  const THeaderString& h = mime_.header_;
  const struct {
    const char* key;
    WideString* value;
  } unicodeFields[] = {
      {"\r\nsubject:", &mime_.subject_}, {"\r\nsender:", &mime_.sender_},
      {"\r\nfrom:", &mime_.from_},       {"\r\nreply-to:", &mime_.replyTo_},
      {"\r\nto:", &mime_.to_},           {"\r\ncc:", &mime_.cc_},
      {"\r\nbcc:", &mime_.bcc_},
  };
  for (const auto& field : unicodeFields) {
    TDecodedHeader decoded = DecodeHeaderText(h.FieldValue(field.key));
    *field.value = decoded.Text;
    if (decoded.Text.empty()) continue;
    AnsiString name = AnsiString(field.key).substr(2);
    mime_.DoHeaderFieldDecodedW(name, decoded.Text, decoded.CharSet);
    mime_.DoHeaderFieldDecoded(name, WideToSjis(decoded.Text), decoded.CharSet);
  }
  mime_.messageId_ = h.FieldValue("\r\nmessage-id:");
  mime_.inReplyTo_ = h.FieldValue("\r\nin-reply-to:");
  mime_.references_ = h.FieldValue("\r\nreferences:");
  auto shiftJis = [&](const char* key) {
    return WideToSjis(DecodeHeaderText(h.FieldValue(key)).Text);
  };
  mime_.newsgroups_ = shiftJis("\r\nnewsgroups:");
  mime_.xMailer_ = shiftJis("\r\nx-mailer:");
  mime_.xNewsReader_ = shiftJis("\r\nx-newsreader:");
  mime_.organization_ = shiftJis("\r\norganization:");
}

void TMimeDecoder::ComputeAttachFolder() {
  AnsiString id = mime_.MessageId();
  WideString name;
  if (!Trim(id).empty()) {
    name = SanitizeFileName(SjisToWide(id));
  } else {
    std::optional<TimePoint> date = mime_.Date();
    AnsiString stamp = std::to_string(date ? DosDateTime(*date) : 0);
    AnsiString addresses;
    WideString rest = mime_.From();
    while (!rest.empty()) {
      TParsedAddress parsed = ParseAddress(rest);
      if (!parsed.address.empty()) {
        if (!addresses.empty()) addresses += ',';
        addresses += parsed.address;
      }
      rest = std::move(parsed.rest);
    }
    name = SanitizeFileName(SjisToWide(stamp + addresses));
  }
  if (!IsUsableFileName(name)) name = u"Attach";
  subfolderName_ = FitFileNameLength(name);
  target_.base = mime_.AttachDir.empty() ? mime_.programFolder_ / "Attach" : mime_.AttachDir;
  target_.subfolder.clear();
  if (mime_.Option.Has(TMimeOption::MakeSubDir)) target_.subfolder = WideToPath(subfolderName_);
}

void TMimeDecoder::DecodeEntity(std::string_view header, std::string_view lower,
                                std::string_view body, TZelMultiPart* parent, int nesting) {
  TPartType kind = ClassifyContentType(lower);
  AnsiString boundary = kind.type == ctMultipart ? MultipartBoundary(header, lower) : "";
  if (mime_.OnMimePartDecoding) {
    std::string_view parentBoundary = parent ? std::string_view(parent->Boundary) : "";
    mime_.OnMimePartDecoding(mime_, parentBoundary, boundary, header, body, kind.type, kind.subType,
                             kind.charset);
  }

  if (kind.type == ctMultipart) {
    auto owned = std::make_unique<TZelMultiPart>(boundary, kind.subType);
    TZelMultiPart& multi = *owned;
    Insert(std::move(owned), parent, header, lower);
    if (nesting < kMaxMultipartNesting) DecodeMultipartBody(multi, body, nesting + 1);
    return;
  }
  if (kind.type != ctText) {
    std::unique_ptr<TZelMessagePart> part;
    if (kind.type == ctMessage && kind.subType == "partial") {
      TPartialParameters p = PartialParameters(header, lower);
      part = std::make_unique<TZelPartialPart>(p.number, p.total, p.id);
    } else {
      part = std::make_unique<TZelMessagePart>();
    }
    part->SubType = kind.subType;
    part->SetFileName(SaveAttachment(kind.type, kind.subType, body, header, lower));
    Insert(std::move(part), parent, header, lower);
    return;
  }
  if (kind.subType != "plain") {
    std::unique_ptr<TZelMessagePart> part;
    TZelHtmlPart* html = nullptr;
    if (kind.subType == "html") {
      auto owned = std::make_unique<TZelHtmlPart>();
      html = owned.get();
      part = std::move(owned);
    } else {
      part = std::make_unique<TZelMessagePart>();
    }
    part->SubType = kind.subType;
    part->SetFileName(SaveAttachment(kind.type, kind.subType, body, header, lower));
    part->Inline = !HasFileNameParameter(header, lower);
    if (html) html->Html = TransferDecoded(body, TransferEncodingOf(lower));
    Insert(std::move(part), parent, header, lower);
    return;
  }
  auto part = std::make_unique<TZelTextPart>();
  part->SubType = kind.subType;
  if (HasFileNameParameter(header, lower)) {
    part->SetFileName(SaveAttachment(kind.type, kind.subType, body, header, lower));
  } else {
    DecodePlainText(*part, lower, body, kind);
  }
  Insert(std::move(part), parent, header, lower);
}

void TMimeDecoder::DecodeMultipartBody(TZelMultiPart& multi, std::string_view body, int nesting) {
  // RFC 2046 section 5.1.1: a delimiter is CR LF "--" boundary; the body is
  // read as if a line break stood before it, so it may begin with one.
  const std::string_view boundary = multi.Boundary;
  const size_t delimiterSize = 4 + boundary.size();
  size_t start;
  if (body.starts_with("--") && body.substr(2).starts_with(boundary)) {
    start = delimiterSize - 2;
  } else {
    size_t first = FindDelimiter(body, boundary, 0);
    if (first == std::string_view::npos) return;
    start = first + delimiterSize;
  }
  while (start + 2 <= body.size()) {
    size_t next = FindDelimiter(body, boundary, start);
    if (next == std::string_view::npos) break;  // a part without a closing delimiter is dropped
    TEntity entity = SplitBodyPart(body.substr(start, next - start));
    AnsiString header = Unfold(entity.header);
    AnsiString lower = ToAsciiLower(header);
    DecodeEntity(header, lower, entity.body, &multi, nesting);
    start = next + delimiterSize;
    if (body.compare(start, 2, "--") == 0) break;
  }
}

void TMimeDecoder::Insert(std::unique_ptr<TZelMimePart> part, TZelMultiPart* parent,
                          std::string_view header, std::string_view lower) {
  TZelMimePart& inserted = *part;
  if (parent) {
    parent->Parts.Add(std::move(part));
    inserted.HeaderText = AnsiString(Trim(header));
  } else {
    mime_.root_ = std::move(part);
    inserted.HeaderText = RootHeaderText(header, lower);
  }
  mime_.DoMimePartDecoded(inserted);
}

void TMimeDecoder::DecodePlainText(TZelTextPart& part, std::string_view lower,
                                   std::string_view body, const TPartType& kind) {
  AnsiString bytes = TransferDecoded(body, TransferEncodingOf(lower));
  TMimeCharSet charset = mcsUnKnown;
  part.SetText(CharSetToUnicode(kind.charset, bytes, bytes, &charset));
  part.CharSet = charset;
  if (mainTextSeen_) {
    std::filesystem::path saved = SavePlainText(part);
    if (!saved.empty()) {
      part.SetFileName(saved);
      part.Inline = true;
    }
    return;
  }
  mainTextSeen_ = true;
  if (!mime_.Option.Has(TMimeOption::AttachDecode) ||
      !mime_.Option.Has(TMimeOption::TextPartUUEncodeScan))
    return;
  AnsiString text = WideToSjis(part.Text);
  std::string_view rest = text;
  while (true) {
    TUuBlock block = ScanUuencoded(ctText, kind.subType, rest);
    if (!block.found) break;
    if (!block.file.empty()) part.UUFiles.push_back(block.file);
    rest.remove_prefix(block.restOffset);
  }
}

}  // namespace orvane
