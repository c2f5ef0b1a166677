#pragma once

#include "mime/ZelMime.h"

namespace orvane {

// Writes the body of a composed message, Content-Type and
// Content-Transfer-Encoding lines first, onto the end of the header text.
class TBodyWriter {
 public:
  TBodyWriter(TZelMime& mime, AnsiString& out) : mime_(mime), out_(out) {}

  // A missing root becomes an empty text part first.
  void WriteBody();

 private:
  void ReserveForAttachments();
  void WriteMultipart(TZelMultiPart& multi);
  void WritePart(TZelMimePart& part);
  void WriteTextPart(TZelTextPart& part);
  void WriteHtmlPart(const TZelHtmlPart& part);
  void WritePartialPart(const TZelPartialPart& part);

  // The text encoded for the body: bytes, charset and encoding names.
  struct Encoded {
    AnsiString bytes, charSetName, encodingName;
  };
  Encoded EncodeText(const WideString& text, TMimeCharSet& charset);

  TZelMime& mime_;
  AnsiString& out_;
};

}  // namespace orvane
