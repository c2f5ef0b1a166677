#include "gui/DialogFrame.h"

#include <QToolBar>
#include <QVBoxLayout>

namespace orvane {

void SetHint(QWidget* widget, const QString& hint) {
  widget->setStatusTip(hint);
  widget->setToolTip(hint);
}

ToolBarWindow LayOutToolBarWindow(QWidget* window) {
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(window);
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setIconSize(QSize(16, 16));
  layout->addWidget(bar);
  return {layout, bar};
}

}  // namespace orvane
