#pragma once

#include "addressbook/PhoneUnit.h"
#include "addressbook/forms/BookServices.h"
#include "gui/SettingsDialog.h"

namespace orvane {

// The telephone dialog "電話番号入力": five numbers in their masks
// ("!(99999)-9999-9999;1;_" for the general numbers, "!9999-9999-9999;1;_"
// for mobile, FAX and IP telephone). The help button opens topic 29.
class TPhoneFormView : public SettingsDialog {
 public:
  TPhoneFormView(QWidget* parent, TPhoneForm& form, const BookServices& services);

 protected:
  // The numbers are the controller's already: the caller takes them on OK.
  void Save() override {}
};

}  // namespace orvane
