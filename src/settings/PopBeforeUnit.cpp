#include "settings/PopBeforeUnit.h"

#include "platform/CodePage.h"

namespace orvane {

TPopBeforeForm::TPopBeforeForm(IniFileUnit settings, AnsiString accountName)
    : settings_(std::move(settings)), accountName_(std::move(accountName)) {}

void TPopBeforeForm::Show() {
  PopBeforeFields fields;
  fields.popBeforeSmtp = settings_.ReadBool(accountName_, keys::kPopBeforeSmtp);
  fields.pop3 = SjisToWide(settings_.Read(accountName_, keys::kPop3));
  fields.port = SjisToWide(settings_.Read(accountName_, keys::kPop3Port));
  fields.apop = settings_.ReadBool(accountName_, keys::kApop);
  Fields = std::move(fields);
}

void TPopBeforeForm::Save() const {
  settings_.Write(accountName_, {{keys::kPopBeforeSmtp, AccountBoolText(Fields.popBeforeSmtp)},
                                 {keys::kPop3, WideToSjis(Fields.pop3)},
                                 {keys::kPop3Port, WideToSjis(Fields.port)},
                                 {keys::kApop, AccountBoolText(Fields.apop)}});
}

}  // namespace orvane
