#include "gui/DialogFrame.h"

#include <QScreen>

namespace orvane {

void SetHint(QWidget* widget, const QString& hint) {
  widget->setStatusTip(hint);
  widget->setToolTip(hint);
}

void CentreOnScreen(QWidget* window) {
  if (QScreen* screen = window->screen()) {
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
  }
}

}  // namespace orvane
