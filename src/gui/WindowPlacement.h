#pragma once

#include <QWidget>

namespace orvane {

// Moves a window so that it stands in the middle of the available area of
// its screen (the primary screen when it is on none yet), at its current
// size.
void CentreOnScreen(QWidget* window);

// The available area of the screen the window stands on, else of the
// primary screen; 1024 by 768 pixels when there is no screen at all (the
// last display went away).
QRect AvailableScreenArea(const QWidget* window = nullptr);

// A dialog with a fixed border that stays on top of other windows, like the
// main window: a title and a close box, no other window buttons.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::WindowStaysOnTopHint;

}  // namespace orvane
