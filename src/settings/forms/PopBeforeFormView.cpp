#include "settings/forms/PopBeforeFormView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/ErrorHandler.h"
#include "gui/WindowPlacement.h"

namespace orvane {

TPopBeforeFormView::TPopBeforeFormView(TPopBeforeForm& form, HelpOpener help, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      form_(form) {
  setObjectName(QStringLiteral("PopBeforeForm"));
  setWindowTitle(QStringLiteral("Pop Before Smtp認証"));
  PopBeforeFields& fields = form_.Fields;
  auto changed = [this] { Render(); };

  popBefore_ = MakeCheckBox(QStringLiteral("送信前にPOP3認証を行う (&B)"), "CB_POP",
                            fields.popBeforeSmtp, changed, this);
  group_ = new QGroupBox(QStringLiteral("アカウント"), this);
  group_->setObjectName(QStringLiteral("GB_Account"));
  auto* grid = new QGridLayout(group_);
  server_ =
      AddField(grid, 0, QStringLiteral("POP3サーバ (&S):"), "EDIT_POP3", fields.pop3, changed);
  security_ = AddSecurityChoice(grid, 1, QStringLiteral("暗号化 (&E):"), "CMB_Security",
                                [this](TSecurity security) {
                                  form_.SecurityChosen(security);
                                  Render();
                                });
  port_ = AddField(grid, 2, QStringLiteral("POP3ポート (&R)"), "EDIT_PORT", fields.port, changed);
  defaultPort_ = MakeButton(QStringLiteral("標準"), "BTN_DEFPORT", group_);
  PlacePortField(grid, 2, port_, defaultPort_);
  apop_ = MakeCheckBox(QStringLiteral("APOP認証 (&A)"), "CB_APOP", fields.apop, changed, group_);
  grid->addWidget(apop_, 3, 0, 1, 3);
  grid->setColumnMinimumWidth(1, 180);

  auto* ok = MakeButton(QStringLiteral("OK"), "BTN_OK", this);
  ok->setDefault(true);
  auto* cancel = MakeButton(QStringLiteral("キャンセル"), "BTN_Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button :
       {ok, cancel, MakeHelpButton(this, std::move(help), TPopBeforeForm::kHelpTopic)})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(popBefore_);
  layout->addWidget(group_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(defaultPort_, &QPushButton::clicked, this, [this] {
    form_.DefaultPortClicked();
    Render();
  });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (RunGuarded(this, [this] { form_.Save(); })) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Render();
}

void TPopBeforeFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

void TPopBeforeFormView::Render() {
  const PopBeforeFields& fields = form_.Fields;
  popBefore_->setChecked(fields.popBeforeSmtp);
  group_->setEnabled(form_.AccountGroupEnabled());
  ShowText(server_, fields.pop3);
  ShowText(port_, fields.port);
  security_->setCurrentIndex(fields.security);
  apop_->setChecked(fields.apop);
  defaultPort_->setEnabled(form_.DefaultPortEnabled());
}

}  // namespace orvane
