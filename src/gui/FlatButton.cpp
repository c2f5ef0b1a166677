#include "gui/FlatButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolBar>

#include "gui/DialogFrame.h"

namespace orvane {

FlatButton::FlatButton(const QString& text, QWidget* parent) : QToolButton(parent) {
  setText(text);
  setAutoRaise(true);
  setFocusPolicy(Qt::TabFocus);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void FlatButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  const bool down = isDown() || isChecked();
  if (isEnabled() && (down || underMouse())) {
    const QColor light = palette().color(QPalette::Button).lighter(down ? 100 : 112);
    const QColor dark = palette().color(QPalette::Highlight).lighter(down ? 130 : 170);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, down ? dark : light);
    gradient.setColorAt(1, down ? light : dark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  }
  // The label and a menu's arrow as the style draws them, over the
  // gradient instead of a frame.
  option.state &=
      ~(QStyle::State_Raised | QStyle::State_Sunken | QStyle::State_MouseOver | QStyle::State_On);
  option.activeSubControls = QStyle::SC_None;
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

FlatButton* AddFlatButton(QToolBar* bar, const char* name, const QString& text, const QIcon& icon,
                          const QString& hint) {
  auto* button = new FlatButton(text, bar);
  button->setObjectName(QLatin1String(name));
  button->setIcon(icon);
  SetHint(button, hint);
  bar->addWidget(button);
  return button;
}

}  // namespace orvane
