#pragma once

#include <QToolButton>

class QToolBar;

namespace orvane {

// A flat button that shows a soft gradient while the mouse is over it and
// a darker one while it is pressed; its text stands beside its icon.
class FlatButton : public QToolButton {
 public:
  explicit FlatButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A flat button at the end of a toolbar, with its name, icon and hint.
FlatButton* AddFlatButton(QToolBar* bar, const char* name, const QString& text, const QIcon& icon,
                          const QString& hint);

}  // namespace orvane
