#include "platform/DisplayPlatform.h"

#include <cstdlib>

namespace orvane {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

DisplayEnvironment ReadDisplayEnvironment() {
  return {Variable("QT_QPA_PLATFORM"), Variable("WAYLAND_DISPLAY"), Variable("XDG_SESSION_TYPE"),
          Variable("DISPLAY")};
}

std::string ChooseQtPlatform(const DisplayEnvironment& environment) {
  if (!environment.qpaPlatform.empty()) return {};
  const bool wayland = !environment.waylandDisplay.empty() || environment.sessionType == "wayland";
  if (wayland && !environment.x11Display.empty()) return "xcb";
  return {};
}

bool PlacesItsWindows(std::string_view qtPlatform) {
  return !qtPlatform.starts_with("wayland");
}

}  // namespace orvane
