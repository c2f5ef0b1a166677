#include "addressbook/forms/PhoneForm.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/MaskEdit.h"
#include "gui/QtText.h"

namespace orvane {

TPhoneFormView::TPhoneFormView(QWidget* parent, TPhoneForm& form, const BookServices& services)
    : SettingsDialog(parent, QStringLiteral("電話番号入力"), QStringLiteral("キャンセル"),
                     services.help, TPhoneForm::kHelpTopic) {
  setObjectName(QStringLiteral("PhoneForm"));

  auto* fields = new QFormLayout;
  for (size_t i = 0; i < form.Phones.size(); ++i) {
    const QString mask = PhoneMaskOf(i) == PhoneMask::kGeneral
                             ? QStringLiteral("!(99999)-9999-9999;1;_")
                             : QStringLiteral("!9999-9999-9999;1;_");
    auto* field = new TMaskEdit(mask, this);
    field->setObjectName(QStringLiteral("_Phone%1").arg(i + 1));
    field->SetValue(ToQString(form.Phones[i]));
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(field->displayText()) + 16);
    auto* label = new QLabel(ToQString(TPhoneForm::kLabels[i]), this);
    label->setBuddy(field);
    fields->addRow(label, field);
    connect(field, &QLineEdit::textChanged, this,
            [&form, field, i] { form.SetPhone(i, ToWide(field->Value())); });
  }

  Body()->addLayout(fields);
}

}  // namespace orvane
