#pragma once

#include <QIcon>

namespace orvane {

// The contact list's icons: kContactIconCount figures in different
// colours, each drawn for small (16 pixels) and large (32 pixels) views.
inline constexpr int kContactIconCount = 11;

// Icon mark (0 to 10); a null icon for any other mark (-1: none).
QIcon ContactIcon(int mark);

}  // namespace orvane
