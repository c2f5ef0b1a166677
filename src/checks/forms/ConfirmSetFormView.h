#pragma once

#include "checks/ConfirmSetUnit.h"
#include "gui/DialogContext.h"
#include "gui/SettingsDialog.h"

namespace orvane {

// The settings dialog "誤送信防止": the confirmation before a send, the
// organisation's own domains, the Bcc leak's limit and the send delay. "OK"
// writes section Confirm; "キャンセル" and Esc write nothing.
class TConfirmSetFormView : public SettingsDialog {
 public:
  // Reads the settings as it opens.
  explicit TConfirmSetFormView(const DialogContext& context);

 protected:
  void Save() override { form_.Save(); }

 private:
  TConfirmSetForm form_;
};

}  // namespace orvane
