#pragma once

#include <QIcon>

namespace orvane {

// Image i of the image list (0 to 21, kImageCount images); a null icon for
// any other index.
QIcon ActionImage(int index);

// The images of the buttons that the small windows share.
inline constexpr int kHelpImage = 15;
inline constexpr int kExitImage = 21;

}  // namespace orvane
