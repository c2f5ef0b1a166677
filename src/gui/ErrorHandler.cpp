#include "gui/ErrorHandler.h"

#include <QMessageBox>
#include <exception>

#include "gui/QtText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {

void ShowError(QWidget* parent, const WideString& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Orvane"), FromCrLf(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

bool RunGuarded(QWidget* parent, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const Error& error) {
    ShowError(parent, error.Message());
  } catch (const std::exception& error) {
    ShowError(parent, Utf8ToWide(error.what()));
  }
  return false;
}

}  // namespace orvane
