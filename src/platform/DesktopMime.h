#pragma once

#include <optional>
#include <string>

namespace orvane {

// The desktop's table of the applications that open each kind of file and
// link (the freedesktop.org default applications).
class DesktopMime {
 public:
  virtual ~DesktopMime() = default;
  // Whether the table can be read and changed on this machine.
  virtual bool Available() const = 0;
  // Makes the desktop entry ("orvane.desktop") the default for the type
  // ("x-scheme-handler/mailto"); the reason when that failed.
  virtual std::optional<std::string> SetDefault(const std::string& desktopEntry,
                                                const std::string& mimeType) = 0;
  // The desktop entry that is the default for the type now; empty when none
  // is.
  virtual std::string Default(const std::string& mimeType) const = 0;
};

// The table through the xdg-mime tool of xdg-utils, found on PATH.
class XdgMime final : public DesktopMime {
 public:
  bool Available() const override;
  std::optional<std::string> SetDefault(const std::string& desktopEntry,
                                        const std::string& mimeType) override;
  std::string Default(const std::string& mimeType) const override;
};

}  // namespace orvane
