#pragma once

#include <QMenu>
#include <functional>

#include "app/MainMenus.h"
#include "gui/ActionSet.h"

namespace orvane {

// Fills a Qt menu from its description. Action entries use the shared
// actions; an entry with its own caption or hint gets an action of its own
// that triggers the shared one. Command entries call onCommand with their
// command and tag. Every item and submenu carries the entry's name as its
// object name.
void FillMenu(QMenu* menu, const MenuEntry& entry, const ActionSet& actions,
              const std::function<void(MenuCommand, int)>& onCommand);

}  // namespace orvane
