#pragma once

#include <vector>

#include "platform/Types.h"

namespace orvane {

// The filter of a file dialog: what it is called and the wildcards of the
// files it shows.
struct FileDialogFilter {
  WideString description;
  std::vector<WideString> patterns;
};

}  // namespace orvane
