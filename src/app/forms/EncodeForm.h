#pragma once

#include "app/EncodeUnit.h"
#include "gui/SettingsDialog.h"

class QComboBox;

namespace orvane {

// "エンコード設定": the message's character set and how Japanese attachment
// names are written.
class TEncodeFormView : public SettingsDialog {
 public:
  explicit TEncodeFormView(const DialogContext& context);

 protected:
  void Save() override;

 private:
  TEncodeForm form_;
  QComboBox* charset_;
  QComboBox* attach_;
};

}  // namespace orvane
