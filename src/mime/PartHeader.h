#pragma once

#include <string_view>

#include "mime/ContentType.h"
#include "platform/Types.h"

namespace orvane {

// Readers of the header of a received part. lower is the header with ASCII
// letters lower-cased (so positions match); keys are lower-case field
// names with a leading CR LF and the colon. A field runs to the first CR LF
// not followed by a space or a tab.

struct TFieldRange {
  size_t begin = 0;  // just after the colon
  size_t end = 0;
  bool found = false;
};
TFieldRange FindField(std::string_view lower, std::string_view key);

// The value of a field, blanks trimmed from both ends; empty when missing.
std::string_view FieldValueOf(std::string_view header, std::string_view lower,
                              std::string_view key);

struct TPartType {
  TContentType type = ctText;
  AnsiString subType;  // lower case
  AnsiString charset;  // lower case, without quotes; empty when not given
};
// The content type: a missing Content-Type is text/plain; a type word
// counts when it starts within the first three characters of the value.
TPartType ClassifyContentType(std::string_view lower);

// The boundary parameter of a multipart Content-Type, in its own case.
AnsiString MultipartBoundary(std::string_view header, std::string_view lower);

struct TPartialParameters {
  int number = 0;
  int total = 0;
  AnsiString id;
};
TPartialParameters PartialParameters(std::string_view header, std::string_view lower);

// The Content-ID without its angle brackets; empty when there is none.
AnsiString ContentIdOf(std::string_view header, std::string_view lower);

// The lower-cased Content-Transfer-Encoding value.
AnsiString TransferEncodingOf(std::string_view lower);

// The header and body of a part's text: the header runs through the CR LF
// that ends its last line (CR LF put in front, so its first field can be
// found by key) and the body starts after the empty line. Without an empty
// line the whole text is the header.
struct TEntity {
  AnsiString header;
  std::string_view body;
};
TEntity SplitEntity(std::string_view text);

// A body part between two boundary delimiters (RFC 2046 section 5.1.1):
// blanks after the delimiter and the line break ending it are skipped; a
// part that starts with an empty line has no header.
TEntity SplitBodyPart(std::string_view text);

}  // namespace orvane
