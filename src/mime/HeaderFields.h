#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// One field of a message's header as it was written.
struct HeaderField {
  std::string_view name;  // without the colon and the blanks before it
  AnsiString value;       // after the colon, continuation lines joined by CR LF
  size_t begin = 0;       // where its first line begins in the text
  size_t end = 0;         // past its last line's line break
};

// A message's header as far as its lines are fields.
struct HeaderFields {
  std::vector<HeaderField> fields;
  size_t bodyStart = 0;    // where the body begins, past the empty line
  bool emptyLine = false;  // the header ended with the empty line
  bool bareCr = false;     // a header line holds a CR that does not end it
};

// The header of a message written by us or by another program: lines end
// with LF or CR LF, a first mbox "From " line is no part of it, and it ends
// at the empty line, or at the first line that is no field (which then
// begins the body), or at a line holding a CR that ends no line. A field
// name is printable ASCII (RFC 5322 section 2.2), blanks before the colon
// allowed (section 4.5.3); a line beginning with a blank continues the
// field before it (section 2.2.3).
HeaderFields ReadHeaderFields(std::string_view message);

// Whether the field has that name, compared without regard to ASCII case.
bool IsNamed(const HeaderField& field, std::string_view name);

// The message without any header field of that name, each removed with its
// continuation lines; the body stays as it is.
AnsiString WithoutHeaderField(std::string_view message, std::string_view name);

// The header of the message with the empty line that ends it; the whole
// text when it has no body.
std::string_view MessageHeader(std::string_view message);

// Whether the header holds a field of that name.
bool HasHeaderField(std::string_view message, std::string_view name);

}  // namespace orvane
