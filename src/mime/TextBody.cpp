#include "mime/BodyWriter.h"
#include "mime/ByteText.h"
#include "mime/CharSet.h"
#include "mime/QuotedPrintable.h"
#include "mime/TextLines.h"
#include "mime/TransferEncoding.h"

namespace orvane {
namespace {

// Message texts end their lines with CR LF (RFC 5322 section 2.3); a text
// file from the user may end them with LF alone.
WideString WithCrLfLineEnds(const WideString& text) {
  if (text.find_first_of(u"\r\n") == WideString::npos) return text;
  WideString out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      out += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

// Plain ASCII bytes read the same in every charset of the table except
// those that give "+" or "~" a meaning of their own.
bool AsciiReadsTheSame(TMimeCharSet charset) {
  return charset != mcsUTF_7 && charset != mcsGB2312HZ;
}

// RFC 5322 section 2.1.1 and RFC 5321 section 4.5.3.1.6: a line holds at
// most 998 octets before its CR LF.
constexpr size_t kMaxLineOctets = 998;

bool HasLongLine(std::string_view bytes) {
  if (bytes.size() <= kMaxLineOctets) return false;
  size_t pos = 0;
  for (std::string_view line; NextLine(bytes, pos, line);)
    if (line.size() > kMaxLineOctets) return true;
  return false;
}

// The transfer encoding of a text whose lines would go over the limit:
// quoted-printable keeps plain ASCII readable; base64 is shorter for
// everything else and never cuts an escape sequence.
const char* ShortLineEncoding(TMimeCharSet charset) {
  return charset == mcsUS_ASCII ? "quoted-printable" : "base64";
}

}  // namespace

TBodyWriter::Encoded TBodyWriter::EncodeText(const WideString& text, TMimeCharSet& charset) {
  Encoded e;
  if (mime_.UserEncode) {
    mime_.DoTextEncoding(text, e.bytes, e.charSetName, e.encodingName);
    return e;
  }
  bool failed = false;
  e.bytes = UnicodeToCharSet(text, charset, failed, true);
  if (failed) {
    bool toUnicode = true;
    TUnicodeEncodingType uniType = mime_.UnicodeEncoding();
    mime_.DoUseUnicode(toUnicode, uniType);
    if (toUnicode) {
      charset = uniType == ueUTF_8 ? mcsUTF_8 : mcsUTF_7;
      bool ignored = false;
      e.bytes = WideToCodePage(text, uniType == ueUTF_8 ? 65001 : 65000, ignored);
    }
  }
  TCharSetInfo info = CharSetInfo(charset);
  e.charSetName = info.name;
  e.encodingName = info.bodyEncoding;
  return e;
}

void TBodyWriter::WriteTextPart(TZelTextPart& part) {
  const bool wholeMessage = mime_.CharSetEncodeMode == ceMessage;
  const TMimeCharSet messageCharSet = mime_.messageCharSet_;
  TMimeCharSet charset = wholeMessage ? messageCharSet : part.CharSet;
  WideString text = WithCrLfLineEnds(part.ReadText());
  Encoded e = EncodeText(text, charset);
  if (wholeMessage && mime_.UserEncode) {
    charset = messageCharSet;
    TCharSetInfo info = CharSetInfo(charset);
    e.charSetName = info.name;
    e.encodingName = info.bodyEncoding;
  } else if (wholeMessage) {
    // The body is labelled with the message's charset only where its bytes
    // read the same in it; otherwise it keeps the charset it really needed.
    bool sameReading =
        charset == messageCharSet || (charset == mcsUS_ASCII && AsciiReadsTheSame(messageCharSet));
    if (!sameReading) {
      TMimeCharSet direct = messageCharSet;
      bool failed = false;
      AnsiString bytes = UnicodeToCharSet(text, direct, failed, false);
      if (!failed && direct == messageCharSet) {
        e.bytes = std::move(bytes);
        sameReading = true;
      }
    }
    if (sameReading) charset = messageCharSet;
    TCharSetInfo info = CharSetInfo(charset);
    e.charSetName = info.name;
    e.encodingName = info.bodyEncoding;
  }
  part.CharSet = charset;
  if (!mime_.UserEncode) {
    const bool unencoded =
        SameAsciiText(e.encodingName, "7bit") || SameAsciiText(e.encodingName, "8bit");
    if (unencoded && HasLongLine(e.bytes)) e.encodingName = ShortLineEncoding(charset);
    if (SameAsciiText(e.encodingName, "quoted-printable")) {
      e.bytes = QuotedPrintableEncode(e.bytes);
    } else if (SameAsciiText(e.encodingName, "base64")) {
      AnsiString lines;
      AppendBase64Lines(e.bytes, lines);
      e.bytes = std::move(lines);
    }
  }

  out_ += "\r\nContent-Type: text/plain";
  if (!e.charSetName.empty()) {
    out_ += "; charset=";
    out_ += e.charSetName;
  }
  out_ += "\r\nContent-Transfer-Encoding:";
  out_ += e.encodingName;
  out_ += "\r\n\r\n";
  out_ += e.bytes;
}

}  // namespace orvane
