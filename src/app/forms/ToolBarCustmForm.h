#pragma once

#include "app/ToolBarCustmUnit.h"
#include "gui/SettingsDialog.h"

class QCheckBox;
class QListWidget;

namespace orvane {

// "ツールバーの設定": the toolbar's items, the available items, the buttons
// that add, delete, move and reset them, and the flat style.
class TToolBarCustmFormView : public SettingsDialog {
 public:
  explicit TToolBarCustmFormView(const DialogContext& context);

 protected:
  void Save() override;

 private:
  // Shows the list and selects a row (none for -1).
  void ShowCodes(int selected);

  TToolBarCustmForm form_;
  QListWidget* shown_;
  QListWidget* available_;
  QCheckBox* flat_;
};

}  // namespace orvane
