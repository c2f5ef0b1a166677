#include "gui/SettingsDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ErrorHandler.h"
#include "gui/WindowPlacement.h"

namespace orvane {

SettingsDialog::SettingsDialog(QWidget* parent, const QString& caption, const QString& cancelText,
                               HelpOpener help, int helpTopic)
    : QDialog(parent) {
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  body_ = new QVBoxLayout;
  layout->addLayout(body_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* helpButton =
      buttons->addButton(QStringLiteral("ヘルプ"), QDialogButtonBox::HelpRole);
  helpButton->setObjectName(QStringLiteral("HelpBtn"));
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("OKBtn"));
  ok_->setDefault(true);
  cancel_ = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
  cancel_->setObjectName(QStringLiteral("CancelBtn"));
  layout->addWidget(buttons);
  // The controls decide the size; nobody can drag it smaller.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(helpButton, &QPushButton::clicked, this,
          [this, help = std::move(help), helpTopic] { ShowDialogHelp(this, help, helpTopic); });
}

void SettingsDialog::accept() {
  if (RunGuarded(this, [this] { Save(); })) QDialog::accept();
}

void SettingsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

}  // namespace orvane
