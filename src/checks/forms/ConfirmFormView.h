#pragma once

#include <QDialog>

#include "checks/ConfirmUnit.h"
#include "gui/DialogContext.h"

class QGridLayout;
class QPushButton;
class QScrollArea;

namespace orvane {

// The window "送信前の確認": the account, the sender and the subject, then a
// line with a check box for every recipient (outside ones first, marked 社外,
// 初 and, in red, 似たドメイン) and every attachment. 送信 is enabled once
// every line is ticked; Space ticks the line that has the focus, Tab moves
// to the next. キャンセル, Esc and the close box stop the send. Modal, on top
// of other windows, centred on the screen.
class TConfirmFormView : public QDialog {
 public:
  TConfirmFormView(const DialogContext& context, TConfirmForm& form);

 private:
  void RenderLines();
  void RenderButtons();
  void MoveToBcc();

  TConfirmForm& form_;
  HelpOpener help_;
  QScrollArea* scroll_ = nullptr;
  QPushButton* moveToBcc_ = nullptr;
  QPushButton* send_ = nullptr;
};

}  // namespace orvane
