#pragma once

#include <QWidget>
#include <functional>

#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// Opens the help book at a topic, the help window owned by the given window
// (a modal dialog's own window stays usable while the dialog is open).
using HelpOpener = std::function<void(QWidget* owner, int topic)>;

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
