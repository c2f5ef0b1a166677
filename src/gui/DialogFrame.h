#pragma once

#include <QString>
#include <QWidget>

namespace orvane {

// A control's hint: shown in the status bar while the mouse is over it, and
// as its tool tip.
void SetHint(QWidget* widget, const QString& hint);

// Moves a window to the middle of its screen.
void CentreOnScreen(QWidget* window);

}  // namespace orvane
