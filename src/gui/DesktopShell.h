#pragma once

#include "platform/Shell.h"

namespace orvane {

// Opens files and web addresses with the desktop's associated application.
class DesktopShell final : public Shell {
 public:
  void OpenFile(const std::filesystem::path& path) override;
  void OpenUrl(const WideString& url) override;
};

}  // namespace orvane
