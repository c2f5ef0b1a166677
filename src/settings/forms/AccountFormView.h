#pragma once

#include <QDialog>

#include "settings/AccountUnit.h"
#include "settings/forms/FormControls.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace orvane {

// The account dialog "アカウントの設定" on screen: renders the controller's
// fields and forwards what the user does.
class TAccountFormView : public QDialog {
 public:
  TAccountFormView(TAccountForm& form, HelpBookIndex helpBook, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Render();
  void OpenPopBefore();
  void Save();

  TAccountForm& form_;
  HelpBookIndex helpBook_;
  QLineEdit* name_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* smtp_ = nullptr;
  QComboBox* security_ = nullptr;
  QLineEdit* port_ = nullptr;
  QPushButton* defaultPort_ = nullptr;
  QCheckBox* auth_ = nullptr;
  QLineEdit* userId_ = nullptr;
  QLineEdit* password_ = nullptr;
  QCheckBox* allowPlainAuth_ = nullptr;
  QLineEdit* fingerprint_ = nullptr;
};

}  // namespace orvane
