#include "app/LogUnit.h"

namespace orvane {

LogWindowGeometry LogWindowPlacement(const IniFileUnit& settings, const LogWindowGeometry& screen) {
  LogWindowGeometry g;
  g.width = settings.Read(keys::kLogWidth);
  g.height = settings.Read(keys::kLogHeight);
  g.top = settings.ReadGeneralInteger(keys::kLogSection, keys::kLogTopKey,
                                      screen.top + screen.height - g.height);
  g.left = settings.ReadGeneralInteger(keys::kLogSection, keys::kLogLeftKey,
                                       screen.left + screen.width - g.width);
  return g;
}

}  // namespace orvane
