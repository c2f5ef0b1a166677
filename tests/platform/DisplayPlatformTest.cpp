#include <gtest/gtest.h>

#include "platform/DisplayPlatform.h"

namespace orvane::test {
namespace {

// Which platform the program asks Qt for: X11 through XWayland in a
// Wayland session, so that the main window stays on top and where it was.
TEST(DisplayPlatform, AsksForX11ThroughXWaylandInAWaylandSession) {
  struct Row {
    const char* name;
    DisplayEnvironment environment;
    const char* chosen;
  } rows[] = {
      {"Wayland with XWayland", {"", "wayland-0", "wayland", ":0"}, "xcb"},
      {"Wayland named by the session alone", {"", "", "wayland", ":1"}, "xcb"},
      {"Wayland without XWayland", {"", "wayland-0", "wayland", ""}, ""},
      {"the user's own platform", {"wayland", "wayland-0", "wayland", ":0"}, ""},
      {"the user's offscreen platform", {"offscreen", "", "", ""}, ""},
      {"an X11 session", {"", "", "x11", ":0"}, ""},
      {"no session type, X11", {"", "", "", ":0"}, ""},
  };
  for (const Row& row : rows) EXPECT_EQ(ChooseQtPlatform(row.environment), row.chosen) << row.name;
}

}  // namespace
}  // namespace orvane::test
