#include <system_error>

#include "mime/BodyWriter.h"
#include "mime/CharSet.h"
#include "mime/QuotedPrintable.h"
#include "mime/TransferEncoding.h"

namespace orvane {
namespace {

// The order of MimeSorted: the main text first, multiparts last.
int SortRank(const TZelMimePart& part) {
  if (auto* text = dynamic_cast<const TZelTextPart*>(&part)) return text->HasText ? 0 : 1;
  if (dynamic_cast<const TZelHtmlPart*>(&part)) return 2;
  if (dynamic_cast<const TZelMultiPart*>(&part)) return 4;
  return 3;
}

bool WrittenInline(const TZelMessagePart& part) {
  return part.FileName.empty() || part.Inline;
}

}  // namespace

void TBodyWriter::WriteBody() {
  if (!mime_.root_) mime_.SetBodyText(u"");
  ReserveForAttachments();
  WritePart(*mime_.root_);
}

// A large attachment grows the message by a third; reserving it at once
// keeps the text from being copied as it grows.
void TBodyWriter::ReserveForAttachments() {
  size_t estimate = 0;
  FindPart(mime_.root_.get(), [&](TZelMimePart& part) {
    auto* message = dynamic_cast<TZelMessagePart*>(&part);
    if (message && !message->FileName.empty()) {
      std::error_code ec;
      auto size = std::filesystem::file_size(message->FileName, ec);
      if (!ec) estimate += static_cast<size_t>(size) / 48 * 66 + 66 + 1024;
    }
    return false;
  });
  if (estimate > 0) out_.reserve(out_.size() + estimate + 65536);
}

void TBodyWriter::WriteMultipart(TZelMultiPart& multi) {
  out_ += "\r\n";
  out_ += multi.GetHeader();
  out_ += "\r\n\r\n";
  if (mime_.MimeSorted) multi.Parts.SortBy(SortRank);
  for (const auto& child : multi.Parts) {
    out_ += "\r\n--";
    out_ += multi.Boundary;
    WritePart(*child);
  }
  out_ += "\r\n--";
  out_ += multi.Boundary;
  out_ += "--\r\n";
}

void TBodyWriter::WritePart(TZelMimePart& part) {
  if (auto* text = dynamic_cast<TZelTextPart*>(&part); text && WrittenInline(*text)) {
    WriteTextPart(*text);
  } else if (auto* html = dynamic_cast<TZelHtmlPart*>(&part); html && WrittenInline(*html)) {
    WriteHtmlPart(*html);
  } else if (auto* multi = dynamic_cast<TZelMultiPart*>(&part)) {
    WriteMultipart(*multi);
  } else if (auto* partial = dynamic_cast<TZelPartialPart*>(&part)) {
    WritePartialPart(*partial);
  } else if (auto* message = dynamic_cast<TZelMessagePart*>(&part)) {
    mime_.WriteAttachment(message->FileName, out_);
  }
}

void TBodyWriter::WriteHtmlPart(const TZelHtmlPart& part) {
  AnsiString source = part.ReadSource();
  AnsiString encoded;
  const char* encoding = "quoted-printable";
  if (IsAsciiBytes(source)) {
    encoded = QuotedPrintableEncode(source);
  } else {
    AppendBase64Lines(source, encoded);
    encoding = "base64";
  }
  out_ += "\r\nContent-Type: text/html\r\nContent-Transfer-Encoding:";
  out_ += encoding;
  out_ += "\r\n\r\n";
  out_ += encoded;
}

void TBodyWriter::WritePartialPart(const TZelPartialPart& part) {
  out_ += "\r\n";
  out_ += part.GetHeader();
  out_ += "\r\n\r\n";
  out_ += part.ReadContent();
}

}  // namespace orvane
