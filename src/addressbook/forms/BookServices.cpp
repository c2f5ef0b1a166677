#include "addressbook/forms/BookServices.h"

#include "gui/ErrorHandler.h"

namespace orvane {

void ShowBookHelp(QWidget* owner, const BookServices& services, int topic) {
  RunGuarded(services.prompt, [&] { services.help(owner, topic); });
}

}  // namespace orvane
