#pragma once

#include <QDialog>

#include "settings/AccountUnit.h"
#include "settings/forms/FormControls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace orvane {

// The account dialog "アカウントの設定" on screen: renders the controller's
// fields and forwards what the user does.
class TAccountFormView : public QDialog {
 public:
  TAccountFormView(TAccountForm& form, HelpOpener help, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The OAuth 2.0 group, shown while that method is chosen.
  QGroupBox* MakeOAuthGroup();
  void Render();
  void OpenPopBefore();
  // "サインイン...": a small modal window waits with a cancel button until
  // the browser has come back, the time is up or the user cancels.
  void SignIn();
  void Save();

  TAccountForm& form_;
  HelpOpener help_;
  QLineEdit* name_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* smtp_ = nullptr;
  QComboBox* security_ = nullptr;
  QLineEdit* port_ = nullptr;
  QPushButton* defaultPort_ = nullptr;
  QCheckBox* auth_ = nullptr;
  QLineEdit* userId_ = nullptr;
  QLineEdit* password_ = nullptr;
  QComboBox* secretPlace_ = nullptr;
  QLineEdit* passCommand_ = nullptr;
  QCheckBox* allowPlainAuth_ = nullptr;
  QLineEdit* fingerprint_ = nullptr;
  QToolButton* showPassword_ = nullptr;
  QComboBox* authMethod_ = nullptr;
  QGroupBox* oauthGroup_ = nullptr;
  QComboBox* provider_ = nullptr;
  QLineEdit* clientId_ = nullptr;
  QLabel* clientIdNote_ = nullptr;
  QLineEdit* tenant_ = nullptr;
  QLineEdit* clientSecret_ = nullptr;
  QLineEdit* authorizeUrl_ = nullptr;
  QLineEdit* tokenUrl_ = nullptr;
  QLineEdit* scope_ = nullptr;
  QPushButton* signIn_ = nullptr;
  QLabel* signInStatus_ = nullptr;
};

}  // namespace orvane
