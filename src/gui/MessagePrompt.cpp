#include "gui/MessagePrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "gui/ErrorHandler.h"
#include "gui/QtText.h"

namespace orvane {

namespace {

QMessageBox::StandardButton ButtonOf(PromptAnswer answer) {
  switch (answer) {
    case PromptAnswer::No:
      return QMessageBox::No;
    case PromptAnswer::Cancel:
      return QMessageBox::Cancel;
    case PromptAnswer::Yes:
      break;
  }
  return QMessageBox::Yes;
}

}  // namespace

QWidget* MessagePrompt::Owner() const {
  if (parent_) return parent_;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

PromptAnswer MessagePrompt::Ask(const WideString& text, PromptButtons buttons,
                                PromptAnswer defaultAnswer) {
  QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == PromptButtons::YesNoCancel) shown |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, QStringLiteral("Orvane"), FromCrLf(text), shown, Owner());
  box.setDefaultButton(ButtonOf(defaultAnswer));
  // Closing the box is the way out it offers: Cancel when there is one.
  box.setEscapeButton(buttons == PromptButtons::YesNoCancel ? QMessageBox::Cancel
                                                            : QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    default:
      return PromptAnswer::No;
  }
}

void MessagePrompt::Inform(const WideString& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Orvane"), FromCrLf(text),
                  QMessageBox::Ok, Owner());
  box.exec();
}

void MessagePrompt::Warn(const WideString& text, const WideString& caption) {
  QMessageBox box(QMessageBox::Warning, ToQString(caption), FromCrLf(text), QMessageBox::Ok,
                  Owner());
  box.exec();
}

void MessagePrompt::ShowError(const WideString& text) {
  orvane::ShowError(Owner(), text);
}

std::optional<WideString> MessagePrompt::Input(const WideString& caption, const WideString& prompt,
                                               const WideString& text) {
  bool ok = false;
  const QString entered = QInputDialog::getText(Owner(), ToQString(caption), ToQString(prompt),
                                                QLineEdit::Normal, ToQString(text), &ok);
  if (!ok) return std::nullopt;
  return ToWide(entered);
}

}  // namespace orvane
