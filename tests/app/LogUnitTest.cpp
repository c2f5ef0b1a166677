#include <gtest/gtest.h>

#include "app/LogUnit.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

bool Same(const LogWindowGeometry& a, const LogWindowGeometry& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(LogWindowPlacement, OpensInTheBottomRightCornerUnlessStored) {
  struct Case {
    const char* general;  // orvane.ini
    LogWindowGeometry screen;
    LogWindowGeometry placed;
  } cases[] = {
      {"", {0, 0, 1920, 1080}, {1540, 940, 380, 140}},
      // A screen area that does not start at the origin (a panel on the left).
      {"", {64, 32, 1856, 1048}, {1540, 940, 380, 140}},
      {"[Log]\r\nWidth=500\r\nHeight=200\r\n", {0, 0, 1920, 1080}, {1420, 880, 500, 200}},
      {"[Log]\r\nTop=10\r\nLeft=20\r\nWidth=300\r\nHeight=100\r\n",
       {0, 0, 1920, 1080},
       {20, 10, 300, 100}},
  };
  for (const Case& c : cases) {
    test::TempFolder home;
    test::WriteFile(home / "orvane.ini", c.general);
    const LogWindowGeometry g = LogWindowPlacement(IniFileUnit(home.Path()), c.screen);
    EXPECT_TRUE(Same(g, c.placed))
        << c.general << ": " << g.left << "," << g.top << " " << g.width << "x" << g.height;
  }
}

}  // namespace
}  // namespace orvane
