#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

enum TMimeTokenKind {
  mtSpace,     // one space or tab
  mtQuoted,    // a quoted string, quotes included
  mtComment,   // a comment, parentheses included
  mtSpecial,   // ",", "<" or ">"
  mtAddress,   // a run of other characters inside angle brackets
  mtAscii,     // outside brackets: a run of characters up to U+007F
  mtNonAscii,  // outside brackets: a run of characters above U+007F
};

struct TMimeToken {
  TMimeTokenKind Kind = mtSpace;
  std::u16string_view Text;  // the token as written
  // The angle-bracket depth the token stands at (before a "<" or ">"
  // changes it).
  int Depth = 0;
  // A quoted string or comment that found its end (otherwise it ran to the
  // end of the text).
  bool Closed = true;
};

// Cuts a structured header value (addresses, RFC 5322 section 3.4) into
// tokens, left to right, one per call of Next. A backslash always takes the
// next character into the current token. A ">" without its "<" leaves the
// depth at 0.
class TMimeParser {
 public:
  TMimeParser() = default;
  virtual ~TMimeParser() = default;

  void SetText(WideString text);
  // The next token; false at the end of the text.
  bool Next(TMimeToken& token);

 private:
  size_t QuotedEnd(size_t pos, bool& closed) const;
  size_t CommentEnd(size_t pos, bool& closed) const;
  size_t RunEnd(size_t pos, bool address) const;

  WideString text_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace orvane
