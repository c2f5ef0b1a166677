#include "gui/StatusPanels.h"

#include <QStatusTipEvent>

namespace orvane {

StatusPanels::StatusPanels(QWidget* window, std::initializer_list<int> widths)
    : QStatusBar(window) {
  setObjectName(QStringLiteral("SB"));
  setSizeGripEnabled(false);
  int index = 0;
  for (int width : widths) {
    // As tall as Japanese text needs: the bar takes its height from the
    // panels as they are when it is made, empty here.
    auto* panel = new QLabel(QStringLiteral("漢字 Ag"), this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(index));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumSize(width, panel->sizeHint().height());
    panel->clear();
    // The hint panel cuts a long hint rather than widen the window.
    if (index == 0) panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(panel, index == 0 ? 1 : 0);
    panels_.push_back(panel);
    ++index;
  }
  window->installEventFilter(this);
}

void StatusPanels::SetText(int index, const QString& text) {
  Panel(index)->setText(text);
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    QLabel* hint = Panel(0);
    hint->setText(hint->fontMetrics().elidedText(static_cast<QStatusTipEvent*>(event)->tip(),
                                                 Qt::ElideRight, hint->contentsRect().width()));
    return true;
  }
  return QStatusBar::eventFilter(watched, event);
}

}  // namespace orvane
