#pragma once

#include "app/SentLog.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Where the communication log window opens: Log/Width and Height (380 by
// 140), Log/Top and Left; without them in the bottom-right corner of the
// screen area given.
LogWindowGeometry LogWindowPlacement(const IniFileUnit& settings, const LogWindowGeometry& screen);

}  // namespace orvane
