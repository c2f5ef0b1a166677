#include "settings/forms/FormControls.h"

#include <QHBoxLayout>

#include "gui/HelpWindow.h"
#include "gui/QtText.h"

namespace orvane {

QLineEdit* AddField(QGridLayout* grid, int row, const QString& label, const char* name,
                    WideString& text, const std::function<void()>& changed) {
  auto* parent = grid->parentWidget();
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(field);
  grid->addWidget(caption, row, 0);
  grid->addWidget(field, row, 1);
  QObject::connect(field, &QLineEdit::textChanged, field, [&text, changed](const QString& now) {
    text = ToWide(now);
    changed();
  });
  return field;
}

void PlacePortField(QGridLayout* grid, int row, QLineEdit* port, QPushButton* standard) {
  grid->removeWidget(port);
  port->setMaximumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8 + 12);
  auto* cell = new QHBoxLayout;
  cell->addWidget(port);
  cell->addWidget(standard);
  cell->addStretch(1);
  grid->addLayout(cell, row, 1);
}

QComboBox* AddSecurityChoice(QGridLayout* grid, int row, const QString& label, const char* name,
                             const std::function<void(TSecurity)>& chosen) {
  auto* parent = grid->parentWidget();
  auto* choice = new QComboBox(parent);
  choice->setObjectName(QLatin1String(name));
  // In the order of TSecurity.
  choice->addItems({QStringLiteral("なし"), QStringLiteral("STARTTLS"), QStringLiteral("SSL/TLS")});
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(choice);
  auto* cell = new QHBoxLayout;
  cell->addWidget(choice);
  cell->addStretch(1);
  grid->addWidget(caption, row, 0);
  grid->addLayout(cell, row, 1);
  QObject::connect(choice, &QComboBox::activated, choice,
                   [chosen](int index) { chosen(static_cast<TSecurity>(index)); });
  return choice;
}

QCheckBox* MakeCheckBox(const QString& caption, const char* name, bool& value,
                        const std::function<void()>& changed, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QLatin1String(name));
  QObject::connect(box, &QCheckBox::toggled, box, [&value, changed](bool on) {
    value = on;
    changed();
  });
  return box;
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

void ShowText(QLineEdit* field, const WideString& text) {
  const QString shown = ToQString(text);
  if (field->text() != shown) field->setText(shown);
}

QPushButton* MakeHelpButton(QWidget* dialog, HelpOpener help, int topic) {
  QPushButton* button = MakeButton(QStringLiteral("ヘルプ(&H)"), "BTN_Help", dialog);
  QObject::connect(button, &QPushButton::clicked, dialog,
                   [dialog, help, topic] { ShowDialogHelp(dialog, help, topic); });
  return button;
}

}  // namespace orvane
