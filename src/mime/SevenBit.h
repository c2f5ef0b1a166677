#pragma once

#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The text with every line ended by CR LF; a CR that ends no line is kept.
AnsiString WithCrLfLineEnds(std::string_view text);

// The message made fit for a server that did not advertise 8BITMIME (RFC
// 6152 section 3), its line breaks made CR LF: each part whose body holds
// 8-bit data is re-encoded, text as quoted-printable (base64 when it holds
// a NUL) and anything else as base64, with its Content-Transfer-Encoding
// field replaced. Multipart and message bodies are walked part by part (RFC
// 2046 sections 5.1.1 and 5.2), their preambles, delimiters and epilogues
// kept; a header is left as it is.
AnsiString SevenBitMessage(std::string_view message);

}  // namespace orvane
