#include "settings/PopBeforeUnit.h"

#include "platform/CodePage.h"

namespace orvane {

const char16_t* TPopBeforeForm::StandardPort(TSecurity security) {
  return security == scTls ? u"995" : u"110";
}

TPopBeforeForm::TPopBeforeForm(IniFileUnit settings, AnsiString accountName)
    : settings_(std::move(settings)), accountName_(std::move(accountName)) {}

void TPopBeforeForm::Show() {
  const AccountValues values(settings_, accountName_);
  PopBeforeFields fields;
  fields.popBeforeSmtp = values.Bool(keys::kPopBeforeSmtp);
  fields.pop3 = values.Wide(keys::kPop3);
  fields.port = values.Wide(keys::kPop3Port);
  fields.apop = values.Bool(keys::kApop);
  fields.security = SecurityFromText(values.Text(keys::kPopSecurity));
  // The keys Save writes: none of them stored means a login never set up.
  if (values.HasNone(Writes())) {
    fields.security = scStartTls;
    fields.port = StandardPort(scStartTls);
  }
  Fields = std::move(fields);
}

void TPopBeforeForm::SecurityChosen(TSecurity security) {
  if (Fields.port == StandardPort(Fields.security)) Fields.port = StandardPort(security);
  Fields.security = security;
}

void TPopBeforeForm::Save() const {
  settings_.Write(accountName_, Writes());
}

AccountWrites TPopBeforeForm::Writes() const {
  return {{keys::kPopBeforeSmtp, AccountBoolText(Fields.popBeforeSmtp)},
          {keys::kPop3, WideToSjis(Fields.pop3)},
          {keys::kPop3Port, WideToSjis(Fields.port)},
          {keys::kApop, AccountBoolText(Fields.apop)},
          {keys::kPopSecurity, SecurityText(Fields.security)}};
}

}  // namespace orvane
