#pragma once

#include <string>
#include <string_view>

namespace orvane {

// What the environment says about the display the program starts on.
struct DisplayEnvironment {
  std::string qpaPlatform;     // QT_QPA_PLATFORM: the user's own choice
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string sessionType;     // XDG_SESSION_TYPE ("wayland", "x11")
  std::string x11Display;      // DISPLAY: under Wayland, XWayland's
};

DisplayEnvironment ReadDisplayEnvironment();

// The Qt platform to ask for; empty for Qt's own choice. The main window
// stays on top of the others and returns to where it was left, which a
// Wayland window cannot ask of its compositor; so in a Wayland session
// the program asks for X11 ("xcb") through XWayland when XWayland is at
// hand. Without XWayland it runs on Wayland itself, where the window is
// placed and stacked as the compositor chooses. A platform the user named
// in QT_QPA_PLATFORM is never overridden.
std::string ChooseQtPlatform(const DisplayEnvironment& environment);

// Whether windows on the Qt platform of that name can keep themselves on
// top and choose where they open: not on Wayland itself.
bool PlacesItsWindows(std::string_view qtPlatform);

}  // namespace orvane
