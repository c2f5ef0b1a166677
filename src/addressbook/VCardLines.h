#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace orvane {

// One content line of a vCard (RFC 6350 section 3.3, RFC 2426 section 4,
// and vCard 2.1's bare parameters), unfolded, with its value still as
// written.
struct VCardProperty {
  AnsiString Name;                // upper case, without a group prefix
  std::vector<AnsiString> Types;  // TYPE values and 2.1 bare parameters, upper case
  bool Pref = false;              // TYPE=PREF or PREF=n
  AnsiString Encoding;            // ENCODING, upper case ("QUOTED-PRINTABLE", "B", ...)
  AnsiString Charset;             // CHARSET, as written
  AnsiString Value;               // the raw bytes after the ":"
  size_t Line = 0;                // the physical line it starts on, from 1

  bool HasType(std::string_view type) const;
  // The value decoded (quoted-printable, then the charset: CHARSET when
  // given, else UTF-8 when the bytes are UTF-8, else Shift_JIS) with its
  // escapes ("\n", "\,", "\;", "\\") resolved.
  WideString Text() const;
  // A structured value's components, split at unescaped ";", each
  // resolved as Text() is.
  std::vector<WideString> Components() const;

 private:
  WideString Decoded() const;
};

// A logical line: the properties of the content, or a line that holds no
// ":" (nullopt name), with where it starts.
struct VCardLine {
  size_t Line = 0;
  bool IsProperty = false;
  VCardProperty Property;
};

// The logical lines of vCard text: lines end in CR LF, LF or CR; a line
// starting with a blank or TAB continues the one before (RFC 6350 section
// 3.2); a quoted-printable value ending in "=" continues on the next line
// (vCard 2.1 soft line breaks). Empty lines are left out. A UTF-8 byte
// order mark is dropped; UTF-16 text (with its byte order mark) is read as
// UTF-8.
std::vector<VCardLine> SplitVCardLines(std::string_view bytes);

// A date as vCards write it ("1980-03-01", "19800301", with or without a
// time after "T") or as the contact file keeps it ("1980/03/01"), in the
// contact file's form "1980/03/01"; nullopt for anything else, a date
// without a year included.
std::optional<WideString> BirthDate(std::u16string_view text);

}  // namespace orvane
