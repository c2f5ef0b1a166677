#pragma once

#include "platform/Shell.h"

namespace orvane {

// Opens a web address in the browser the environment names (BROWSER), else
// through xdg-open, without waiting; the address also goes to standard
// error, for a machine where neither opens one.
class BrowserShell final : public Shell {
 public:
  void OpenFile(const std::filesystem::path& path) override;
  void OpenUrl(const WideString& url) override;
};

}  // namespace orvane
