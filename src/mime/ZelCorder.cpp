#include "mime/ZelCorder.h"

#include <utility>

#include "mime/TransferEncoding.h"
#include "mime/Uuencode.h"

namespace orvane {

void TZelCorder::Encode() {
  Lines.Clear();
  if (!Stream) return;
  AnsiString text;
  AppendBase64Lines(*Stream, text);
  Lines.AdoptUniformLines(std::move(text), kBase64LineLength);
}

void TZelCorder::Decode() {
  if (!Stream) return;
  Stream->clear();
  if (Mode > 1) {
    Stream->append(Lines.Text());
    return;
  }
  Stream->reserve(Lines.Text().size() / 4 * 3);
  for (size_t i = 0; i < Lines.Count(); ++i) {
    if (Mode == 0) {
      AppendBase64Decoded(Lines[i], *Stream);
    } else {
      AppendUudecoded(Lines[i], *Stream);
    }
  }
}

const char* TZelCorder::ModeName() const {
  switch (Mode) {
    case 0:
      return "Base64";
    case 1:
      return "x-uuencode";
    default:
      return "7bit";
  }
}

}  // namespace orvane
