#pragma once

#include <QDialog>

#include "checks/CheckWarnings.h"
#include "checks/WarningShowUnit.h"
#include "gui/DialogContext.h"

class QListWidget;

namespace orvane {

// The warning dialog "警告 / 注意": the collected lines sorted and coloured
// by severity. "続行" (Enter) and the window's close box go on; "中止" and Esc
// stop. Double-clicking a line opens its help topic. On top of other
// windows, centred on the screen, with a fixed border.
class TWarningFormView : public QDialog {
 public:
  TWarningFormView(const DialogContext& context, TWarningForm form);

  TWarningChoice Choice() const { return choice_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The close box: the user did not choose to stop.
  void reject() override;

 private:
  void Stop();
  void OpenLineHelp();
  void OpenHelp(int topic);

  TWarningForm form_;
  HelpOpener help_;
  QListWidget* list_ = nullptr;
  TWarningChoice choice_ = TWarningChoice::GoOn;
};

// The text colour of a line of the given severity (none: the window text).
QColor SeverityColor(std::optional<TSeverity> severity);

}  // namespace orvane
