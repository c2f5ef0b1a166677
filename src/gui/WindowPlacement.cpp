#include "gui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane {

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

QRect AvailableScreenArea(const QWidget* window) {
  const QScreen* screen = window && window->screen() ? window->screen()
                                                     : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace orvane
