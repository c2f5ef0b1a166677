#pragma once

#include <QLabel>
#include <QStatusBar>
#include <initializer_list>
#include <vector>

namespace orvane {

// A dialog's status bar of panels numbered from 0, named "Panel0" and so
// on; the first shows the hint of the control under the mouse and takes
// the room the others leave. A width is a panel's least width.
class StatusPanels : public QStatusBar {
 public:
  StatusPanels(QWidget* window, std::initializer_list<int> widths);

  QLabel* Panel(int index) const { return panels_.at(static_cast<size_t>(index)); }
  void SetText(int index, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace orvane
