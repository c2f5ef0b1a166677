#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Folds a field's value (RFC 5322 section 2.2.3); the field name and the
// space before the value are not counted. The text is split into its lines
// at CR LF, CR or LF. The first line is cut with limit 58, every further
// line and every remaining tail with limit 64, as often as needed: a line
// shorter than the limit stays whole; otherwise the cut goes before the
// breakBefore byte found searching backwards from the limit down to
// position 1, else before the first one after the limit, else after the
// first breakAfter byte outside double quotes; a line without a break byte
// stays whole, so an encoded word is never split. Pieces are joined with
// CR LF. Every line after the first begins with a space or a tab (one space
// is put before it otherwise), so no input line can start a field of its
// own.
AnsiString FoldHeader(std::string_view text, std::string_view breakBefore,
                      std::string_view breakAfter);

// The lines of text joined with CR LF as continuation lines of one field:
// FoldHeader without break bytes.
AnsiString ContinueLines(std::string_view text);

// The end of the field whose value starts at from: the first CR LF not
// followed by a blank, or the end of text.
size_t FieldEnd(std::string_view text, size_t from);

// Every CR LF followed by a space, then every CR LF followed by a tab, is
// replaced by one space.
AnsiString Unfold(std::string_view text);

}  // namespace orvane
