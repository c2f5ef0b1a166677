#pragma once

#include <cstddef>

#include "platform/Types.h"

namespace orvane {

// The largest message taken from standard input. Beyond it the input is
// refused rather than held: no server takes such a message anyway.
inline constexpr std::size_t kMaxInputBytes = 128u << 20;

// Reads standard input to its end, or, with dotEndsInput, to a line of a
// single "." (sendmail's rule without -i). Throws EndingError (65) when it
// is empty or larger than kMaxInputBytes, having read at most that much.
AnsiString ReadStandardInput(bool dotEndsInput);

}  // namespace orvane
