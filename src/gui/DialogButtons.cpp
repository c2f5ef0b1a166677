#include "gui/DialogButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace orvane {

QDialogButtonBox* DialogButtons(QDialog* dialog, const std::function<void()>& help,
                                const std::function<void()>& onOk) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)
      ->setObjectName(QStringLiteral("BTN_OK"));
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("BTN_Cancel"));
  if (onOk)
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [onOk] { onOk(); });
  else
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  if (help) {
    QPushButton* button = buttons->addButton(QStringLiteral("ヘルプ"), QDialogButtonBox::HelpRole);
    button->setObjectName(QStringLiteral("BTN_Help"));
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, [help] { help(); });
  }
  return buttons;
}

}  // namespace orvane
