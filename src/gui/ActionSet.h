#pragma once

#include <QAction>
#include <QObject>
#include <array>

#include "app/MainActions.h"

namespace orvane {

// The QActions of the main window's action list, made from the action table:
// caption, hint (as status tip and tool tip), image, shortcut, toggle.
class ActionSet {
 public:
  explicit ActionSet(QObject* owner);

  QAction* Action(ActionId id) const { return actions_[static_cast<size_t>(id)]; }

 private:
  std::array<QAction*, 26> actions_{};
};

}  // namespace orvane
