// The main window on Wayland itself (support/wayland-session): it maps,
// as the compositor tells Qt, and closes cleanly.
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include "forms/FormsFixture.h"

namespace orvane::test {
namespace {

using StartingOnWayland = MainWindowTest;

TEST_F(StartingOnWayland, TheMainWindowMapsAndCloses) {
  Open();
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  // Exposed only once the compositor has configured the surface.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get(), 10000));
  // The window's own close finishes on the next turn of the event loop.
  view->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 5000));
  EXPECT_FALSE(view->windowHandle()->isExposed());
}

}  // namespace
}  // namespace orvane::test
