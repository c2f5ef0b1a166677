#include "gui/ShortcutsFirst.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace orvane {

ShortcutsFirst::ShortcutsFirst(QWidget* window, QList<QAction*> actions)
    : QObject(window), window_(window) {
  for (QAction* action : actions) actions_.push_back(action);
  // The keys reach the focused control, not the window: only the
  // application sees them all before the shortcuts are looked up.
  qApp->installEventFilter(this);
}

ShortcutsFirst::~ShortcutsFirst() {
  qApp->removeEventFilter(this);
}

QAction* ShortcutsFirst::ActionFor(QObject* watched, QEvent* event) const {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
    return nullptr;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !window_ || widget->window() != window_) return nullptr;
  const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
  for (const QPointer<QAction>& action : actions_) {
    if (action && action->isEnabled() && action->shortcut() == key) return action;
  }
  return nullptr;
}

bool ShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
  QAction* action = ActionFor(watched, event);
  if (!action) return false;
  // Accepting the override turns the key into a key press instead of a
  // shortcut, which the press below then triggers.
  event->accept();
  if (event->type() == QEvent::KeyPress) action->trigger();
  return true;
}

}  // namespace orvane
