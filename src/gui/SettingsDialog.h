#pragma once

#include <QDialog>

#include "gui/DialogContext.h"

class QPushButton;
class QVBoxLayout;

namespace orvane {

// A settings dialog: a fixed border sized to its controls at the font in
// use, on top of other windows, opened centred on the screen, with the
// buttons "ヘルプ", "OK" (the default) and a cancel button below its
// controls. OK calls Save, which the dialog implements; when Save raises
// an error the error is shown and the dialog stays open.
class SettingsDialog : public QDialog {
 public:
  SettingsDialog(QWidget* parent, const QString& caption, const QString& cancelText,
                 HelpOpener help, int helpTopic);

  void accept() override;

 protected:
  // Where the dialog's controls go.
  QVBoxLayout* Body() const { return body_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  virtual void Save() = 0;

  void showEvent(QShowEvent* event) override;

 private:
  QVBoxLayout* body_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace orvane
