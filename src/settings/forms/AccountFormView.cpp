#include "settings/forms/AccountFormView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/ErrorHandler.h"
#include "gui/QtText.h"
#include "gui/WindowPlacement.h"
#include "settings/forms/PopBeforeFormView.h"

namespace orvane {
namespace {

// A field with its caption, shown or left out together: the fields that
// do not count for the chosen provider take no room.
void ShowField(QLineEdit* field, bool shown) {
  field->setVisible(shown);
  for (QLabel* label : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    if (label->buddy() == field) label->setVisible(shown);
}

}  // namespace

TAccountFormView::TAccountFormView(TAccountForm& form, HelpOpener help, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      form_(form),
      help_(std::move(help)) {
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
  authMethod_ = new QComboBox(optionGroup);
  authMethod_->setObjectName(QStringLiteral("CB_AuthMethod"));
  authMethod_->addItems({QStringLiteral("パスワード"), QStringLiteral("OAuth 2.0")});
  auto* methodLabel = new QLabel(QStringLiteral("認証方式(&M):"), optionGroup);
  methodLabel->setBuddy(authMethod_);
  optionGrid->addWidget(methodLabel, 3, 0);
  optionGrid->addWidget(authMethod_, 3, 1, Qt::AlignLeft);
  userId_ =
      AddField(optionGrid, 4, QStringLiteral("ユーザID(&I):"), "EDIT_ID", fields.userId, changed);
  password_ = AddField(optionGrid, 5, QStringLiteral("パスワード(&P):"), "EDIT_PASS",
                       fields.password, changed);
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
  // A small button: a push button would be as wide as "キャンセル".
  showPassword_ = new QToolButton(optionGroup);
  showPassword_->setObjectName(QStringLiteral("Button2"));
  showPassword_->setText(QStringLiteral("?"));
  optionGrid->addWidget(showPassword_, 5, 2);
  secretPlace_ = new QComboBox(optionGroup);
  secretPlace_->setObjectName(QStringLiteral("CMB_SecretStore"));
  // In the order of SecretPlace.
  secretPlace_->addItems({QStringLiteral("設定ファイル"),
                          QStringLiteral("デスクトップのキーリング"), QStringLiteral("コマンド")});
  auto* placeLabel = new QLabel(QStringLiteral("パスワードの保存先(&W):"), optionGroup);
  placeLabel->setBuddy(secretPlace_);
  optionGrid->addWidget(placeLabel, 6, 0);
  optionGrid->addWidget(secretPlace_, 6, 1, Qt::AlignLeft);
  passCommand_ = AddField(optionGrid, 7, QStringLiteral("コマンド(&D):"), "EDIT_PassCommand",
                          form_.Secrets.command, changed);
  passCommand_->setPlaceholderText(QStringLiteral("例: pass show mail/taro"));
  passCommand_->setToolTip(
      QStringLiteral("送信のたびに /bin/sh で実行し、出力の 1 行目をパスワードとして使います"));
  allowPlainAuth_ = MakeCheckBox(QStringLiteral("暗号化なしで認証を許可する"), "CB_AllowPlainAuth",
                                 fields.allowPlainAuth, changed, optionGroup);
  optionGrid->addWidget(allowPlainAuth_, 8, 0, 1, 3);
  fingerprint_ = AddField(optionGrid, 9, QStringLiteral("証明書のフィンガープリント(&T):"),
                          "EDIT_Fingerprint", fields.tlsFingerprint, changed);
  // The label over the field, and the field across the group: a fingerprint
  // is 95 characters long, and its label would widen the labels' column.
  QWidget* fingerprintLabel = optionGrid->itemAtPosition(9, 0)->widget();
  optionGrid->removeWidget(fingerprintLabel);
  optionGrid->removeWidget(fingerprint_);
  optionGrid->addWidget(fingerprintLabel, 9, 0, 1, 3);
  optionGrid->addWidget(fingerprint_, 10, 0, 1, 3);
  fingerprint_->setPlaceholderText(QStringLiteral("SHA-256 (任意)"));
  fingerprint_->setToolTip(
      QStringLiteral("自己署名の証明書のサーバにつなぐときだけ、その証明書の SHA-256 の"
                     "フィンガープリントを入力します。ほかの証明書は受け入れません"));
  oauthGroup_ = MakeOAuthGroup();
  for (QGridLayout* grid : {accountGrid, optionGrid}) grid->setColumnMinimumWidth(1, 200);

  auto* popBefore = MakeButton(QStringLiteral("Pop&BeforeSmtp"), "BTN_POP", this);
  auto* ok = MakeButton(QStringLiteral("OK"), "BTN_OK", this);
  ok->setDefault(true);
  auto* cancel = MakeButton(QStringLiteral("キャンセル"), "BTN_Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(popBefore);
  buttons->addStretch(1);
  for (QPushButton* button : {ok, cancel, MakeHelpButton(this, help_, TAccountForm::kHelpTopic)})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(accountGroup);
  layout->addWidget(optionGroup);
  layout->addWidget(oauthGroup_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(defaultPort_, &QPushButton::clicked, this, [this] {
    form_.DefaultPortClicked();
    Render();
  });
  connect(showPassword_, &QToolButton::clicked, this, [this] { form_.ShowPasswordClicked(); });
  connect(secretPlace_, &QComboBox::activated, this, [this](int index) {
    form_.Secrets.place = static_cast<SecretPlace>(index);
    Render();
  });
  connect(authMethod_, &QComboBox::activated, this, [this](int index) {
    form_.ChooseOAuth(index == 1);
    Render();
  });
  connect(popBefore, &QPushButton::clicked, this, [this] { OpenPopBefore(); });
  connect(ok, &QPushButton::clicked, this, [this] { Save(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Render();
}

QGroupBox* TAccountFormView::MakeOAuthGroup() {
  AccountOAuthFields& fields = form_.OAuth;
  auto changed = [this] { Render(); };
  auto* group = new QGroupBox(QStringLiteral("OAuth 2.0"), this);
  group->setObjectName(QStringLiteral("GB_OAuth"));
  auto* grid = new QGridLayout(group);

  provider_ = new QComboBox(group);
  provider_->setObjectName(QStringLiteral("CB_Provider"));
  for (const OAuthPreset& preset : OAuthPresets())
    provider_->addItem(ToQString(preset.title), QString::fromLatin1(preset.name));
  provider_->addItem(QStringLiteral("その他 (手動で設定)"),
                     QString::fromLatin1(kCustomOAuthProvider));
  auto* providerLabel = new QLabel(QStringLiteral("プロバイダ(&O):"), group);
  providerLabel->setBuddy(provider_);
  grid->addWidget(providerLabel, 0, 0);
  grid->addWidget(provider_, 0, 1, Qt::AlignLeft);
  connect(provider_, &QComboBox::activated, this, [this](int index) {
    form_.ChooseProvider(provider_->itemData(index).toString().toStdString());
    Render();
  });

  clientId_ = AddField(grid, 1, QStringLiteral("クライアントID(&C):"), "EDIT_ClientId",
                       fields.clientId, changed);
  clientIdNote_ = new QLabel(group);
  clientIdNote_->setObjectName(QStringLiteral("LB_ClientIdNote"));
  clientIdNote_->setWordWrap(true);
  grid->addWidget(clientIdNote_, 2, 1);
  tenant_ =
      AddField(grid, 3, QStringLiteral("テナント(&N):"), "EDIT_Tenant", fields.tenant, changed);
  clientSecret_ = AddField(grid, 4, QStringLiteral("クライアントシークレット(&K):"),
                           "EDIT_ClientSecret", fields.clientSecret, changed);
  clientSecret_->setEchoMode(QLineEdit::Password);
  authorizeUrl_ = AddField(grid, 5, QStringLiteral("認可URL(&U):"), "EDIT_AuthorizeUrl",
                           fields.authorizeUrl, changed);
  tokenUrl_ = AddField(grid, 6, QStringLiteral("トークンURL(&L):"), "EDIT_TokenUrl",
                       fields.tokenUrl, changed);
  scope_ = AddField(grid, 7, QStringLiteral("スコープ(&Q):"), "EDIT_Scope", fields.scope, changed);

  signIn_ = MakeButton(QStringLiteral("サインイン..."), "BTN_SignIn", group);
  signInStatus_ = new QLabel(group);
  signInStatus_->setObjectName(QStringLiteral("LB_SignIn"));
  auto* signInRow = new QHBoxLayout;
  signInRow->addWidget(signIn_);
  signInRow->addWidget(signInStatus_, 1);
  grid->addLayout(signInRow, 8, 0, 1, 2);
  grid->setColumnMinimumWidth(1, 320);
  connect(signIn_, &QPushButton::clicked, this, [this] { SignIn(); });
  return group;
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
  ShowText(passCommand_, form_.Secrets.command);
  secretPlace_->setCurrentIndex(static_cast<int>(form_.Secrets.place));
  const bool fromCommand = form_.Secrets.place == SecretPlace::kCommand;
  ShowField(passCommand_, fromCommand);
  security_->setCurrentIndex(fields.security);
  auth_->setChecked(fields.auth);
  allowPlainAuth_->setChecked(fields.allowPlainAuth);
  allowPlainAuth_->setEnabled(form_.AllowPlainAuthEnabled());
  defaultPort_->setEnabled(form_.DefaultPortEnabled());

  const AccountOAuthFields& oauth = form_.OAuth;
  authMethod_->setCurrentIndex(oauth.oauth ? 1 : 0);
  auth_->setEnabled(!oauth.oauth);
  password_->setEnabled(!oauth.oauth && !fromCommand);
  showPassword_->setEnabled(!oauth.oauth && !fromCommand);
  oauthGroup_->setVisible(oauth.oauth);
  int provider = provider_->findData(QString::fromStdString(oauth.provider));
  provider_->setCurrentIndex(provider >= 0 ? provider : provider_->count() - 1);
  ShowText(clientId_, oauth.clientId);
  clientIdNote_->setText(ToQString(form_.ClientIdNote()));
  ShowText(tenant_, oauth.tenant);
  ShowField(tenant_, form_.TenantEnabled());
  ShowText(clientSecret_, oauth.clientSecret);
  for (QLineEdit* field : {authorizeUrl_, tokenUrl_, scope_})
    ShowField(field, form_.CustomEndpointsEnabled());
  ShowText(authorizeUrl_, oauth.authorizeUrl);
  ShowText(tokenUrl_, oauth.tokenUrl);
  ShowText(scope_, oauth.scope);
  signIn_->setEnabled(form_.SignInAvailable());
  signInStatus_->setText(ToQString(form_.SignInStatus()));
}

void TAccountFormView::OpenPopBefore() {
  RunGuarded(this, [this] {
    TPopBeforeForm popBefore = form_.PopBeforeForm();
    popBefore.Show();
    TPopBeforeFormView dialog(popBefore, help_, this);
    if (dialog.exec() == QDialog::Accepted) form_.PopBeforeSaved(popBefore.Fields);
  });
  Render();
}

void TAccountFormView::SignIn() {
  QDialog wait(this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
  wait.setObjectName(QStringLiteral("SignInWait"));
  wait.setWindowTitle(QStringLiteral("サインイン"));
  auto* text = new QLabel(QStringLiteral("ブラウザでサインインしてください。\n"
                                         "終わるとこの画面は自動で閉じます。"),
                          &wait);
  auto* busy = new QProgressBar(&wait);
  busy->setRange(0, 0);
  auto* cancel = MakeButton(QStringLiteral("キャンセル"), "BTN_Cancel", &wait);
  connect(cancel, &QPushButton::clicked, &wait, &QDialog::reject);
  auto* layout = new QVBoxLayout(&wait);
  layout->addWidget(text);
  layout->addWidget(busy);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  form_.OnSignInEnded = [&wait] { wait.accept(); };
  form_.SignInClicked();
  if (form_.SigningIn() && wait.exec() != QDialog::Accepted) form_.CancelSignIn();
  form_.OnSignInEnded = nullptr;
  Render();
}

void TAccountFormView::Save() {
  bool saved = false;
  if (!RunGuarded(this, [&] { saved = form_.Save(); })) return;
  if (saved) {
    accept();
    return;
  }
  // The user mends what was refused where it is.
  if (form_.OAuthNeedsEncryption()) {
    security_->setFocus();
    return;
  }
  fingerprint_->setFocus();
  fingerprint_->selectAll();
}

}  // namespace orvane
