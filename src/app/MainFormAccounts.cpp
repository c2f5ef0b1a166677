// The main window's account commands: the rules are the settings layer's;
// here the current account follows them.

#include "app/MainForm.h"
#include "settings/AccountCommands.h"

namespace orvane {

bool TOrvaneMainForm::AddAccount() {
  auto added = orvane::AddAccount(Settings(), PromptService());
  if (!added) return false;
  AccountName = *added;
  UpdateCaption();
  return true;
}

void TOrvaneMainForm::RenameAccount() {
  if (auto renamed = orvane::RenameAccount(Settings(), PromptService(), AccountName)) {
    AccountName = *renamed;
    UpdateCaption();
  }
}

void TOrvaneMainForm::DeleteAccount() {
  if (!orvane::DeleteAccount(Settings(), PromptService(), AccountName)) return;
  AccountName = FindDefaultAccount();
  UpdateCaption();
}

}  // namespace orvane
