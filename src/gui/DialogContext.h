#pragma once

#include <QWidget>

#include "gui/HelpWindow.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What a dialog opened from the main window works with.
struct DialogContext {
  QWidget* owner;  // the main window
  const IniFileUnit& settings;
  Prompt& prompt;
  const Clock& clock;
  HelpOpener help;
  AnsiString account;  // the current account, for the dialogs of one account
};

}  // namespace orvane
