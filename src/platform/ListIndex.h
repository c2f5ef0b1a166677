#pragma once

#include <cstddef>

#include "platform/Error.h"

namespace orvane {

// A position past the end of a list was asked for.
class ListIndexError : public Error {
 public:
  using Error::Error;
};

// Throws ListIndexError unless index < count.
void CheckListIndex(size_t index, size_t count);

}  // namespace orvane
