#pragma once

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What the POP-before-SMTP dialog's controls hold.
struct PopBeforeFields {
  bool popBeforeSmtp = false;  // CB_POP, key PopBeforeSmtp
  WideString pop3;             // EDIT_POP3, key POP3
  WideString port;             // EDIT_PORT, key POP3PORT
  bool apop = false;           // CB_APOP, key APOP
  bool operator==(const PopBeforeFields&) const = default;
};

// The POP-before-SMTP dialog's controller: the POP3 login made before each
// delivery of one account, read when shown and written on OK.
class TPopBeforeForm {
 public:
  static constexpr const char16_t* kDefaultPort = u"110";
  static constexpr int kHelpTopic = 13;

  TPopBeforeForm(IniFileUnit settings, AnsiString accountName);

  const AnsiString& AccountName() const { return accountName_; }

  // Fills the fields from the account's file; throws ConvertError when
  // PopBeforeSmtp or APOP holds no boolean.
  void Show();
  // GB_Account: the server settings can be edited while CB_POP is ticked.
  bool AccountGroupEnabled() const { return Fields.popBeforeSmtp; }
  // BTN_DEFPORT "標準": enabled while the port is not the standard one.
  bool DefaultPortEnabled() const { return Fields.port != kDefaultPort; }
  void DefaultPortClicked() { Fields.port = kDefaultPort; }
  // BTN_OK: writes every field, the server also while CB_POP is not
  // ticked, in one write; throws FileError when it cannot.
  void Save() const;

  PopBeforeFields Fields;

 private:
  IniFileUnit settings_;
  AnsiString accountName_;
};

}  // namespace orvane
