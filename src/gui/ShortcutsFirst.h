#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>

namespace orvane {

// Lets the shortcuts of some actions of a window win over the mnemonics of
// its menu bar: a menu entry may name Alt+A while a menu's title
// underlines A, and the entry is what the user asked for. Where two of the
// actions share a key, the first enabled one in the list wins.
class ShortcutsFirst : public QObject {
 public:
  ShortcutsFirst(QWidget* window, QList<QAction*> actions);
  ~ShortcutsFirst() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* ActionFor(QObject* watched, QEvent* event) const;

  QPointer<QWidget> window_;
  QList<QPointer<QAction>> actions_;
};

}  // namespace orvane
