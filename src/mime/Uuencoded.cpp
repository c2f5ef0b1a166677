#include "mime/ByteText.h"
#include "mime/Decode.h"
#include "mime/FileNames.h"
#include "mime/Uuencode.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  return at + prefix.size() <= text.size() && SameAsciiText(text.substr(at, prefix.size()), prefix);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The position of the next line that begins with "end", counting its
// leading CR LF; npos when there is none.
size_t FindEndLine(std::string_view text, size_t from) {
  while ((from = text.find("\r\n", from)) != std::string_view::npos) {
    if (StartsWithNoCase(text, from + 2, "end")) return from;
    from += 2;
  }
  return std::string_view::npos;
}

}  // namespace

TMimeDecoder::TUuBlock TMimeDecoder::ScanUuencoded(TContentType type, const AnsiString& subType,
                                                   std::string_view text) {
  TUuBlock block;
  // Candidates are line starts: the start of the text and every CR LF.
  for (size_t line = 0;;) {
    if (StartsWithNoCase(text, line, "begin ") && line + 10 <= text.size() &&
        IsDigit(text[line + 6]) && IsDigit(text[line + 7]) && IsDigit(text[line + 8])) {
      size_t nameBegin = line + 10;
      size_t nameEnd = text.find("\r\n", nameBegin);
      if (nameEnd == std::string_view::npos) return block;
      size_t end = FindEndLine(text, nameEnd);
      // Without an end line here there is none further on either.
      if (end == std::string_view::npos) return block;
      block.found = true;
      block.restOffset = end + 5;
      std::string_view data =
          end > nameEnd ? text.substr(nameEnd + 2, end - nameEnd) : std::string_view();
      WideString name = SjisToWide(text.substr(nameBegin, nameEnd - nameBegin));
      if (name.empty()) return block;
      bool canSave = true;
      mime_.DoAttachDecoding(type, subType, name, canSave);
      const bool decode = mime_.Option.Has(TMimeOption::AttachDecode);
      if (!canSave || (!decode && !mime_.Option.Has(TMimeOption::ZeroByteFile))) return block;
      name = UsableName(name, u"", u"");
      if (!EnsureFolder()) return block;
      block.file = SaveFile(WideToPath(name), decode ? UudecodeLine(data) : AnsiString());
      return block;
    }
    size_t next = text.find("\r\n", line);
    if (next == std::string_view::npos) return block;
    line = next + 2;
  }
}

}  // namespace orvane
