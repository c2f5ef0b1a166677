#include "addressbook/forms/BookServices.h"

#include "gui/ErrorHandler.h"
#include "gui/HelpWindow.h"

namespace orvane {

void ShowBookHelp(QWidget* owner, const BookServices& services, int topic) {
  RunGuarded(services.prompt, [&] { ShowHelpTopic(owner, services.helpBook(), topic); });
}

}  // namespace orvane
