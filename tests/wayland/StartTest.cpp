// The main window on Wayland itself (support/wayland-session): it maps,
// as the compositor tells Qt, and closes cleanly; the option dialog says
// what Wayland does not allow.
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <QLabel>

#include "app/forms/OptionForm.h"
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

using OptionsOnWayland = DialogTest;

TEST_F(OptionsOnWayland, SayThatTheWindowCannotStayOnTop) {
  TOptionFormView dialog(Context());
  const auto* note = dialog.findChild<QLabel*>(QStringLiteral("LB_OnTopNote"));
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->text().contains(QStringLiteral("常に手前に表示することも")));
  dialog.show();
  // Wrapped in the fixed-size dialog, every line of it shows.
  EXPECT_GE(note->height(), note->heightForWidth(note->width()));
}

}  // namespace
}  // namespace orvane::test
