#pragma once

#include "addressbook/ZyusyoUnit.h"
#include "addressbook/forms/BookServices.h"
#include "gui/SettingsDialog.h"

class QLineEdit;

namespace orvane {

class TMaskEdit;

// The postal address dialog "住所入力": 郵便番号 in its mask, the two
// address lines with the two joined below, 最寄り駅, and a map button beside
// the postal code, the address and the station. The help button opens
// topic 21.
class TZyusyoFormView : public SettingsDialog {
 public:
  TZyusyoFormView(QWidget* parent, TZyusyoForm& form, const BookServices& services);

 protected:
  // The fields are the controller's already: the caller takes them on OK.
  void Save() override {}

 private:
  void ShowJoined();

  TZyusyoForm& form_;
  TMaskEdit* postNum_ = nullptr;
  QLineEdit* joined_ = nullptr;
};

}  // namespace orvane
