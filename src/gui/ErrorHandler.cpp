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

namespace {

bool Guard(const std::function<void()>& action,
           const std::function<void(const WideString&)>& show) {
  try {
    action();
    return true;
  } catch (const Error& error) {
    show(error.Message());
  } catch (const std::exception& error) {
    show(Utf8ToWide(error.what()));
  }
  return false;
}

}  // namespace

bool RunGuarded(QWidget* parent, const std::function<void()>& action) {
  return Guard(action, [parent](const WideString& message) { ShowError(parent, message); });
}

bool RunGuarded(Prompt& prompt, const std::function<void()>& action) {
  return Guard(action, [&prompt](const WideString& message) { prompt.ShowError(message); });
}

}  // namespace orvane
