#pragma once

#include <QDialog>

#include "settings/PopBeforeUnit.h"
#include "settings/forms/FormControls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace orvane {

// The dialog "Pop Before Smtp認証" on screen: renders the controller's
// fields and forwards what the user does.
class TPopBeforeFormView : public QDialog {
 public:
  TPopBeforeFormView(TPopBeforeForm& form, HelpOpener help, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Render();

  TPopBeforeForm& form_;
  QCheckBox* popBefore_ = nullptr;
  QGroupBox* group_ = nullptr;
  QLineEdit* server_ = nullptr;
  QComboBox* security_ = nullptr;
  QLineEdit* port_ = nullptr;
  QPushButton* defaultPort_ = nullptr;
  QCheckBox* apop_ = nullptr;
};

}  // namespace orvane
