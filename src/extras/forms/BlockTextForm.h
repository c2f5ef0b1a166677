#pragma once

#include <QDialog>

#include "extras/BlockTextForm.h"
#include "gui/DialogContext.h"

class QPlainTextEdit;
class QStackedWidget;
class QToolButton;

namespace orvane {

class StatusPanels;
class TextEditor;

// The signature and template dialogs on screen: a toolbar (preview, date
// formats, help, close), the editor or in its place the read-only preview,
// and a status bar of hints, the caret's place and the preview's size.
class TBlockTextFormView : public QDialog {
 public:
  TBlockTextFormView(const DialogContext& context, TBlockTextForm form);

  // Closing by the close button, the window's close box or Escape: an
  // edited text asks first.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void TogglePreview();
  void AskDateFormat(int index);
  void ShowPreview();
  void ShowCaret();
  bool MayClose();
  WideString EditorText() const;

  TBlockTextForm form_;
  HelpOpener help_;
  TextEditor* editor_;
  QPlainTextEdit* preview_;
  QStackedWidget* pages_;
  QToolButton* previewButton_;
  StatusPanels* status_;
  bool loaded_ = false;
};

}  // namespace orvane
