#include "settings/forms/AccountFormView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/ErrorHandler.h"
#include "gui/WindowPlacement.h"
#include "settings/forms/PopBeforeFormView.h"

namespace orvane {

TAccountFormView::TAccountFormView(TAccountForm& form, HelpBookIndex helpBook, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      form_(form),
      helpBook_(std::move(helpBook)) {
  setObjectName(QStringLiteral("AccountForm"));
  setWindowTitle(QStringLiteral("アカウントの設定"));
  AccountFields& fields = form_.Fields;
  auto changed = [this] { Render(); };

  auto* accountGroup = new QGroupBox(QStringLiteral("アカウント"), this);
  auto* accountGrid = new QGridLayout(accountGroup);
  name_ =
      AddField(accountGrid, 0, QStringLiteral("送信者名(&F):"), "EDIT_Name", fields.name, changed);
  address_ = AddField(accountGrid, 1, QStringLiteral("送信アドレス(&A):"), "EDIT_Address",
                      fields.address, changed);
  smtp_ = AddField(accountGrid, 2, QStringLiteral("SMTPサーバ(&S):"), "EDIT_SMTP", fields.smtp,
                   changed);

  auto* optionGroup = new QGroupBox(QStringLiteral("オプション"), this);
  auto* optionGrid = new QGridLayout(optionGroup);
  security_ = AddSecurityChoice(optionGrid, 0, QStringLiteral("暗号化(&E):"), "CMB_Security",
                                [this](TSecurity security) {
                                  form_.SecurityChosen(security);
                                  Render();
                                });
  port_ =
      AddField(optionGrid, 1, QStringLiteral("SMTPポート(&R):"), "EDIT_PORT", fields.port, changed);
  defaultPort_ = MakeButton(QStringLiteral("標準"), "Button1", optionGroup);
  PlacePortField(optionGrid, 1, port_, defaultPort_);
  auth_ = MakeCheckBox(QStringLiteral("SMTPサーバは認証が必要(&V)"), "CB_Auth", fields.auth,
                       changed, optionGroup);
  optionGrid->addWidget(auth_, 2, 0, 1, 3);
  userId_ =
      AddField(optionGrid, 3, QStringLiteral("ユーザID(&I):"), "EDIT_ID", fields.userId, changed);
  password_ = AddField(optionGrid, 4, QStringLiteral("パスワード(&P):"), "EDIT_PASS",
                       fields.password, changed);
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
  // A small button: a push button would be as wide as "キャンセル".
  auto* showPassword = new QToolButton(optionGroup);
  showPassword->setObjectName(QStringLiteral("Button2"));
  showPassword->setText(QStringLiteral("?"));
  optionGrid->addWidget(showPassword, 4, 2);
  allowPlainAuth_ = MakeCheckBox(QStringLiteral("暗号化なしで認証を許可する"), "CB_AllowPlainAuth",
                                 fields.allowPlainAuth, changed, optionGroup);
  optionGrid->addWidget(allowPlainAuth_, 5, 0, 1, 3);
  fingerprint_ = AddField(optionGrid, 6, QStringLiteral("証明書のフィンガープリント(&T):"),
                          "EDIT_Fingerprint", fields.tlsFingerprint, changed);
  // The label over the field, and the field across the group: a fingerprint
  // is 95 characters long, and its label would widen the labels' column.
  QWidget* fingerprintLabel = optionGrid->itemAtPosition(6, 0)->widget();
  optionGrid->removeWidget(fingerprintLabel);
  optionGrid->removeWidget(fingerprint_);
  optionGrid->addWidget(fingerprintLabel, 6, 0, 1, 3);
  optionGrid->addWidget(fingerprint_, 7, 0, 1, 3);
  fingerprint_->setPlaceholderText(QStringLiteral("SHA-256 (任意)"));
  fingerprint_->setToolTip(
      QStringLiteral("自己署名の証明書のサーバにつなぐときだけ、その証明書の SHA-256 の"
                     "フィンガープリントを入力します。ほかの証明書は受け入れません"));
  for (QGridLayout* grid : {accountGrid, optionGrid}) grid->setColumnMinimumWidth(1, 200);

  auto* popBefore = MakeButton(QStringLiteral("Pop&BeforeSmtp"), "BTN_POP", this);
  auto* ok = MakeButton(QStringLiteral("OK"), "BTN_OK", this);
  ok->setDefault(true);
  auto* cancel = MakeButton(QStringLiteral("キャンセル"), "BTN_Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(popBefore);
  buttons->addStretch(1);
  for (QPushButton* button :
       {ok, cancel, MakeHelpButton(this, helpBook_, TAccountForm::kHelpTopic)})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(accountGroup);
  layout->addWidget(optionGroup);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(defaultPort_, &QPushButton::clicked, this, [this] {
    form_.DefaultPortClicked();
    Render();
  });
  connect(showPassword, &QToolButton::clicked, this, [this] { form_.ShowPasswordClicked(); });
  connect(popBefore, &QPushButton::clicked, this, [this] { OpenPopBefore(); });
  connect(ok, &QPushButton::clicked, this, [this] { Save(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Render();
}

void TAccountFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

void TAccountFormView::Render() {
  const AccountFields& fields = form_.Fields;
  ShowText(name_, fields.name);
  ShowText(address_, fields.address);
  ShowText(smtp_, fields.smtp);
  ShowText(port_, fields.port);
  ShowText(userId_, fields.userId);
  ShowText(password_, fields.password);
  ShowText(fingerprint_, fields.tlsFingerprint);
  security_->setCurrentIndex(fields.security);
  auth_->setChecked(fields.auth);
  allowPlainAuth_->setChecked(fields.allowPlainAuth);
  allowPlainAuth_->setEnabled(form_.AllowPlainAuthEnabled());
  defaultPort_->setEnabled(form_.DefaultPortEnabled());
}

void TAccountFormView::OpenPopBefore() {
  RunGuarded(this, [this] {
    TPopBeforeForm popBefore = form_.PopBeforeForm();
    popBefore.Show();
    TPopBeforeFormView dialog(popBefore, helpBook_, this);
    if (dialog.exec() == QDialog::Accepted) form_.PopBeforeSaved(popBefore.Fields);
  });
  Render();
}

void TAccountFormView::Save() {
  bool saved = false;
  if (!RunGuarded(this, [&] { saved = form_.Save(); })) return;
  if (saved) {
    accept();
    return;
  }
  // The fingerprint was refused: the user mends it where it is.
  fingerprint_->setFocus();
  fingerprint_->selectAll();
}

}  // namespace orvane
