#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// Opens a file or a web address with the application associated with it,
// without waiting for it.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void OpenFile(const std::filesystem::path& path) = 0;
  virtual void OpenUrl(const WideString& url) = 0;
};

}  // namespace orvane
