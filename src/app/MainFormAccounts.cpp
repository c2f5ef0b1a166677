// The main window's account commands: the rules are the settings layer's;
// here the current account follows them.

#include "app/MainForm.h"
#include "settings/AccountCommands.h"

namespace orvane {

bool TOrvaneMainForm::AddAccount() {
  auto added = orvane::AddAccount(Settings(), services_.prompt);
  if (!added) return false;
  AccountName = *added;
  UpdateCaption();
  return true;
}

void TOrvaneMainForm::RenameAccount() {
  if (auto renamed = orvane::RenameAccount(Settings(), services_.prompt, AccountName)) {
    AccountName = *renamed;
    UpdateCaption();
  }
}

void TOrvaneMainForm::DeleteAccount() {
  if (!orvane::DeleteAccount(Settings(), services_.prompt, AccountName)) return;
  AccountName = FindDefaultAccount(Settings());
  UpdateCaption();
}

}  // namespace orvane
