#pragma once

#include <QIcon>

namespace orvane {

// Image i of the image list (0 to 21, kImageCount images); a null icon for
// any other index.
QIcon ActionImage(int index);

}  // namespace orvane
