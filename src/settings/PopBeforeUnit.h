#pragma once

#include "platform/Types.h"
#include "settings/AccountValues.h"
#include "settings/IniFileUnit.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// What the POP-before-SMTP dialog's controls hold.
struct PopBeforeFields {
  bool popBeforeSmtp = false;   // CB_POP, key PopBeforeSmtp
  WideString pop3;              // EDIT_POP3, key POP3
  WideString port;              // EDIT_PORT, key POP3PORT
  bool apop = false;            // CB_APOP, key APOP
  TSecurity security = scNone;  // CMB_Security, key PopSecurity
  bool operator==(const PopBeforeFields&) const = default;
};

// The POP-before-SMTP dialog's controller: the POP3 login made before each
// delivery of one account, read when shown and written on OK. A login never
// saved before starts with STLS; one saved without PopSecurity shows "なし".
class TPopBeforeForm {
 public:
  static constexpr int kHelpTopic = 13;

  // The port of each choice: 110 in plain text and for STLS (RFC 2595),
  // 995 for TLS from the first byte (RFC 8314).
  static const char16_t* StandardPort(TSecurity security);

  TPopBeforeForm(IniFileUnit settings, AnsiString accountName);

  const AnsiString& AccountName() const { return accountName_; }

  // Fills the fields from the account's file; throws ConvertError when
  // PopBeforeSmtp or APOP holds no boolean or PopSecurity no choice.
  void Show();
  // GB_Account: the server settings can be edited while CB_POP is ticked.
  bool AccountGroupEnabled() const { return Fields.popBeforeSmtp; }
  // BTN_DEFPORT "標準": enabled while the port is not the choice's standard
  // one.
  bool DefaultPortEnabled() const { return Fields.port != StandardPort(Fields.security); }
  void DefaultPortClicked() { Fields.port = StandardPort(Fields.security); }
  // CMB_Security: a port that was the standard one of the old choice
  // follows to the new one's; a port the user chose stays.
  void SecurityChosen(TSecurity security);
  // BTN_OK: writes every field, the server also while CB_POP is not
  // ticked, in one write; throws FileError when it cannot.
  void Save() const;

  PopBeforeFields Fields;

 private:
  AccountWrites Writes() const;

  IniFileUnit settings_;
  AnsiString accountName_;
};

}  // namespace orvane
