#include "settings/AccountUnit.h"

#include "platform/CodePage.h"

namespace orvane {

TAccountForm::TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName)
    : settings_(std::move(settings)), prompt_(prompt), accountName_(std::move(accountName)) {}

void TAccountForm::Show() {
  auto text = [&](const AccountText& key) { return SjisToWide(settings_.Read(accountName_, key)); };
  AccountFields fields;
  fields.name = text(keys::kName);
  fields.address = text(keys::kAddress);
  fields.smtp = text(keys::kSmtp);
  fields.port = text(keys::kSmtpPort);
  fields.userId = text(keys::kUserId);
  fields.password = text(keys::kPass);
  fields.auth = settings_.ReadBool(accountName_, keys::kAuth);
  Fields = std::move(fields);
}

void TAccountForm::ShowPasswordClicked() const {
  prompt_.Inform(Fields.password);
}

void TAccountForm::Save() const {
  settings_.Write(accountName_, {{keys::kName, WideToSjis(Fields.name)},
                                 {keys::kAddress, WideToSjis(Fields.address)},
                                 {keys::kSmtp, WideToSjis(Fields.smtp)},
                                 {keys::kSmtpPort, WideToSjis(Fields.port)},
                                 {keys::kUserId, WideToSjis(Fields.userId)},
                                 {keys::kPass, WideToSjis(Fields.password)},
                                 {keys::kAuth, AccountBoolText(Fields.auth)}});
}

}  // namespace orvane
