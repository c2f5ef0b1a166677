#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// A list of lines kept in one buffer, each line followed by CR LF, so the
// base64 of a large attachment is neither one allocation per line nor a
// second copy when it is written out.
class TLineList {
 public:
  size_t Count() const;
  std::string_view operator[](size_t index) const;

  void Clear();
  void Add(std::string_view line);

  // Every line followed by CR LF.
  const AnsiString& Text() const { return text_; }
  // Replaces the lines by those of text, split at CR LF, CR or LF; a line
  // break at the very end does not begin another line.
  void SetText(std::string_view text);
  // As SetText, taking over text when its lines already all end with CR LF.
  void SetText(AnsiString&& text);
  // Takes over text made of lines of lineLength characters (the last one
  // maybe shorter), each followed by CR LF, as an encoder writes them: the
  // line starts follow from the length, without reading the text or
  // keeping a list of them.
  void AdoptUniformLines(AnsiString&& text, size_t lineLength);

 private:
  size_t Start(size_t index) const { return stride_ ? index * stride_ : starts_[index]; }

  AnsiString text_;
  // Where each line starts; unused while stride_, the length of every line
  // with its CR LF, is set.
  std::vector<size_t> starts_;
  size_t stride_ = 0;
};

}  // namespace orvane
