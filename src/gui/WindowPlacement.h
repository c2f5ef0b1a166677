#pragma once

#include <QWidget>

namespace orvane {

// Moves a window so that it stands in the middle of the available area of
// its screen (the primary screen when it is on none yet), at its current
// size.
void CentreOnScreen(QWidget* window);

}  // namespace orvane
