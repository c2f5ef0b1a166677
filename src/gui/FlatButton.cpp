#include "gui/FlatButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

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
  // The label as the style draws it, over the gradient instead of a frame.
  option.state &= ~(QStyle::State_Raised | QStyle::State_Sunken);
  painter.drawControl(QStyle::CE_ToolButtonLabel, option);
}

}  // namespace orvane
