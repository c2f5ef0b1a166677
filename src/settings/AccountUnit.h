#pragma once

#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"
#include "settings/PopBeforeUnit.h"

namespace orvane {

// What the account dialog's controls hold.
struct AccountFields {
  WideString name;      // EDIT_Name, key Name
  WideString address;   // EDIT_Address, key Address
  WideString smtp;      // EDIT_SMTP, key SMTP
  WideString port;      // EDIT_PORT, key SMTPPORT
  bool auth = false;    // CB_Auth, key Auth
  WideString userId;    // EDIT_ID, key UserID
  WideString password;  // EDIT_PASS, key Pass
  bool operator==(const AccountFields&) const = default;
};

// The account dialog's controller: the sender and the SMTP server of one
// account, read from its file when shown and written back on OK. The
// POP-before-SMTP dialog it opens saves on its own OK.
class TAccountForm {
 public:
  static constexpr const char16_t* kDefaultPort = u"25";
  static constexpr int kHelpTopic = 13;

  TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName);

  const AnsiString& AccountName() const { return accountName_; }

  // Fills the fields from the account's file; throws ConvertError when Auth
  // holds no boolean.
  void Show();
  // Button1 "標準": enabled while the port is not the standard one.
  bool DefaultPortEnabled() const { return Fields.port != kDefaultPort; }
  void DefaultPortClicked() { Fields.port = kDefaultPort; }
  // Button2 "?": the password in plain text.
  void ShowPasswordClicked() const;
  // BTN_POP: the controller of the POP-before-SMTP dialog of this account.
  TPopBeforeForm PopBeforeForm() const { return TPopBeforeForm(settings_, accountName_); }
  // BTN_OK: writes every field, as typed, in one write; throws FileError
  // when the file cannot be written.
  void Save() const;

  AccountFields Fields;

 private:
  IniFileUnit settings_;
  Prompt& prompt_;
  AnsiString accountName_;
};

}  // namespace orvane
