#pragma once

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The message header as written, each field on its own line, with a
// lower-cased copy kept in step for finding fields. Keys are lower-case
// field names with a leading CR LF and the colon ("\r\nsubject:"); a field
// runs to the first CR LF not followed by a space or a tab.
class THeaderString {
 public:
  AnsiString Text;
  AnsiString LowerText;

  void SetText(std::string_view text);
  void Clear();

  // The position of key in LowerText.
  std::optional<size_t> Find(std::string_view key) const;
  // The text after key to the end of its field, continuation lines
  // included, without leading blanks; empty when key is missing.
  AnsiString FieldValue(std::string_view key) const;
  // Replaces the field of key where it stands, or appends it when it is
  // missing; an empty value removes it. fieldName carries its colon. A
  // line break in the value never starts a field of its own: further lines
  // become continuation lines.
  void SetField(std::string_view key, std::string_view fieldName, std::string_view value);
  // Appends one field line after the trimmed header.
  void AppendLine(std::string_view line);
};

}  // namespace orvane
