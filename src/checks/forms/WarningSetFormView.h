#pragma once

#include "checks/WarningUnit.h"
#include "gui/DialogContext.h"
#include "gui/SettingsDialog.h"

namespace orvane {

// The warning settings dialog "警告設定": three tabs of check lists, one row
// per rule. "OK" writes the switches, "キャンセル" and Esc write nothing.
class TWarningSetFormView : public SettingsDialog {
 public:
  // Reads the switches from the settings as it opens.
  explicit TWarningSetFormView(const DialogContext& context);

 protected:
  void Save() override { form_.Save(); }

 private:
  QWidget* MakeTab(const TWarningTab& tab);

  TWarningSetForm form_;
};

}  // namespace orvane
