#pragma once

#include "gui/DialogContext.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the address book windows work with, handed down from the main
// window so that tests can replace it.
struct BookServices {
  const IniFileUnit& settings;
  const Clock& clock;
  Shell& shell;
  Clipboard& clipboard;
  Prompt& prompt;
  HelpOpener help;
};

}  // namespace orvane
