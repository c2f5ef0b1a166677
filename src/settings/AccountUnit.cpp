#include "settings/AccountUnit.h"

#include <optional>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Fingerprint.h"

namespace orvane {
namespace {

// Whether the POP3 login before sending would go without encryption. A
// value its own dialog refuses to show counts as yes here, so that this
// dialog still opens and keeps the check box within reach.
bool PopLoginInPlainText(const AccountValues& values) {
  try {
    return values.Bool(keys::kPopBeforeSmtp) &&
           SecurityFromText(values.Text(keys::kPopSecurity)) == scNone;
  } catch (const ConvertError&) {
    return true;
  }
}

// The fingerprint to store: empty, or as the log shows it.
std::optional<AnsiString> FingerprintToStore(const WideString& typed) {
  const AnsiString text(Trim(WideToSjis(typed)));
  if (text.empty()) return text;
  return NormalizeFingerprint(text);
}

}  // namespace

const char16_t* TAccountForm::StandardPort(TSecurity security) {
  switch (security) {
    case scStartTls:
      return u"587";
    case scTls:
      return u"465";
    case scNone:
      break;
  }
  return u"25";
}

TAccountForm::TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName)
    : settings_(std::move(settings)), prompt_(prompt), accountName_(std::move(accountName)) {}

void TAccountForm::Show() {
  const AccountValues values(settings_, accountName_);
  AccountFields fields;
  fields.name = values.Wide(keys::kName);
  fields.address = values.Wide(keys::kAddress);
  fields.smtp = values.Wide(keys::kSmtp);
  fields.port = values.Wide(keys::kSmtpPort);
  fields.userId = values.Wide(keys::kUserId);
  fields.password = values.Wide(keys::kPass);
  fields.auth = values.Bool(keys::kAuth);
  fields.security = SecurityFromText(values.Text(keys::kSecurity));
  fields.allowPlainAuth = PlainAuthAllowedFromText(values.Text(keys::kAllowPlainAuth));
  fields.tlsFingerprint = values.Wide(keys::kTlsFingerprint);
  // The keys Save writes: none of them stored means a new account.
  if (values.HasNone(Writes({}))) {
    fields.security = scStartTls;
    fields.port = StandardPort(scStartTls);
  }
  popLoginInPlainText_ = PopLoginInPlainText(values);
  Fields = std::move(fields);
}

void TAccountForm::SecurityChosen(TSecurity security) {
  if (Fields.port == StandardPort(Fields.security)) Fields.port = StandardPort(security);
  Fields.security = security;
}

bool TAccountForm::AllowPlainAuthEnabled() const {
  return (Fields.auth && Fields.security == scNone) || popLoginInPlainText_;
}

void TAccountForm::PopBeforeSaved(const PopBeforeFields& saved) {
  popLoginInPlainText_ = saved.popBeforeSmtp && saved.security == scNone;
}

void TAccountForm::ShowPasswordClicked() const {
  prompt_.Inform(Fields.password);
}

bool TAccountForm::Save() const {
  const std::optional<AnsiString> fingerprint = FingerprintToStore(Fields.tlsFingerprint);
  if (!fingerprint) {
    prompt_.ShowError(kBadFingerprint);
    return false;
  }
  settings_.Write(accountName_, Writes(*fingerprint));
  return true;
}

AccountWrites TAccountForm::Writes(const AnsiString& fingerprint) const {
  return {{keys::kName, WideToSjis(Fields.name)},
          {keys::kAddress, WideToSjis(Fields.address)},
          {keys::kSmtp, WideToSjis(Fields.smtp)},
          {keys::kSmtpPort, WideToSjis(Fields.port)},
          {keys::kUserId, WideToSjis(Fields.userId)},
          {keys::kPass, WideToSjis(Fields.password)},
          {keys::kAuth, AccountBoolText(Fields.auth)},
          {keys::kSecurity, SecurityText(Fields.security)},
          {keys::kAllowPlainAuth, AccountBoolText(Fields.allowPlainAuth)},
          {keys::kTlsFingerprint, fingerprint}};
}

}  // namespace orvane
