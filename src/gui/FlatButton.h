#pragma once

#include <QToolButton>

namespace orvane {

// A flat button that shows a soft gradient while the mouse is over it and
// a darker one while it is pressed; its text stands beside its icon.
class FlatButton : public QToolButton {
 public:
  explicit FlatButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvane
