#include "gui/ActionImages.h"

#include "app/MainActions.h"

// The images are compiled into the gui library; a static library's resources
// are registered by hand, and the macro works only outside a namespace.
static void RegisterImages() {
  Q_INIT_RESOURCE(orvane);
}

namespace orvane {

QIcon ActionImage(int index) {
  static const bool registered = (RegisterImages(), true);
  (void)registered;
  if (index < 0 || index >= kImageCount) return QIcon();
  return QIcon(QStringLiteral(":/icons/%1.png").arg(index, 2, 10, QLatin1Char('0')));
}

}  // namespace orvane
