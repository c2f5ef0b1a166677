#include "mime/AttachmentName.h"

#include <algorithm>

#include "mime/CharSet.h"
#include "mime/HeaderEncoding.h"
#include "mime/HeaderFolding.h"
#include "mime/PercentEncoding.h"
#include "mime/Rfc2231.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

// A name a quoted string holds unchanged (RFC 2045 section 5.1).
bool IsQuotable(std::string_view name) {
  return IsAsciiBytes(name) && std::none_of(name.begin(), name.end(), [](char c) {
           return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"' || c == '\\';
         });
}

TAttachmentNameParams Quoted(std::string_view value) {
  const AnsiString quoted = "\"" + AnsiString(value) + "\"";
  return {" name=" + quoted, " filename=" + quoted};
}

}  // namespace

TAttachmentNameParams EncodeAttachmentName(const std::filesystem::path& file,
                                           TAttachNameEncode mode) {
  const WideString name = Utf8ToWide(file.filename().string());
  bool lost = false;
  const AnsiString sjis = WideToSjis(name, &lost);
  switch (mode) {
    case aeMimeB:
      return Quoted(EncodeFixedJis(std::u16string_view(name)));
    case aeJis: {
      bool failed = false;
      return Quoted(ContinueLines(SjisToJis(sjis, failed)));
    }
    case aeSjis:
      return Quoted(ContinueLines(sjis));
    case aeRfc2231:
      break;
  }
  std::string charset = "us-ascii";
  AnsiString value = sjis;
  if (lost || !IsQuotable(sjis)) {
    bool failed = lost;
    AnsiString bytes = SjisToJis(sjis, failed);
    charset = "iso-2022-jp";
    if (failed) {
      bool ignored = false;
      bytes = WideToCodePage(name, kUtf7CodePage, ignored);
      charset = "utf-7";
    }
    value = PercentEncode(bytes);
  }
  return {EncodeRfc2231Parameter("name", charset, value),
          EncodeRfc2231Parameter("filename", charset, value)};
}

}  // namespace orvane
