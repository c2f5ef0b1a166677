#pragma once

#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/AccountValues.h"
#include "settings/IniFileUnit.h"
#include "settings/PopBeforeUnit.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// What the account dialog's controls hold.
struct AccountFields {
  WideString name;              // EDIT_Name, key Name
  WideString address;           // EDIT_Address, key Address
  WideString smtp;              // EDIT_SMTP, key SMTP
  WideString port;              // EDIT_PORT, key SMTPPORT
  bool auth = false;            // CB_Auth, key Auth
  WideString userId;            // EDIT_ID, key UserID
  WideString password;          // EDIT_PASS, key Pass
  TSecurity security = scNone;  // CMB_Security, key Security
  bool allowPlainAuth = false;  // CB_AllowPlainAuth, key AllowPlainAuth
  WideString tlsFingerprint;    // EDIT_Fingerprint, key TlsFingerprint
  bool operator==(const AccountFields&) const = default;
};

// The account dialog's controller: the sender and the SMTP server of one
// account, read from its file when shown and written back on OK. The
// POP-before-SMTP dialog it opens saves on its own OK.
//
// A new account (a file without any of the keys this dialog saves) starts
// with STARTTLS on 587. An older file without Security shows "なし" and its
// port as stored; saving it writes Security, and from then on a password
// goes in plain text to a server elsewhere only when AllowPlainAuth says so.
class TAccountForm {
 public:
  static constexpr int kHelpTopic = 13;
  static constexpr char16_t kBadFingerprint[] =
      u"証明書のフィンガープリントが正しくありません。SHA-256 のフィンガープリントを "
      u"16 進数 64 桁で入力してください (例 AB:CD:…、コロンは省いてもかまいません)";

  // The port of each choice: 25 in plain text, 587 for STARTTLS (message
  // submission, RFC 6409), 465 for TLS from the first byte (RFC 8314).
  static const char16_t* StandardPort(TSecurity security);

  TAccountForm(IniFileUnit settings, Prompt& prompt, AnsiString accountName);

  const AnsiString& AccountName() const { return accountName_; }

  // Fills the fields from the account's file; throws ConvertError when Auth
  // holds no boolean or Security no choice.
  void Show();
  // Button1 "標準": enabled while the port is not the choice's standard one.
  bool DefaultPortEnabled() const { return Fields.port != StandardPort(Fields.security); }
  void DefaultPortClicked() { Fields.port = StandardPort(Fields.security); }
  // CMB_Security "暗号化(&E):": a port that was the standard one of the old
  // choice follows to the new one's; a port the user chose stays.
  void SecurityChosen(TSecurity security);
  // CB_AllowPlainAuth counts only where a password would go without
  // encryption: to an SMTP server that asks for one, or in the POP3 login
  // before sending.
  bool AllowPlainAuthEnabled() const;
  // The POP-before-SMTP dialog saved these: its login counts from now on.
  void PopBeforeSaved(const PopBeforeFields& saved);
  // Button2 "?": the password in plain text.
  void ShowPasswordClicked() const;
  // BTN_POP: the controller of the POP-before-SMTP dialog of this account.
  TPopBeforeForm PopBeforeForm() const { return TPopBeforeForm(settings_, accountName_); }
  // BTN_OK: writes every field in one write, the texts as typed and the
  // fingerprint in the form the log shows. A malformed fingerprint is
  // shown as an error and nothing is written: returns false. Throws
  // FileError when the file cannot be written.
  bool Save() const;

  AccountFields Fields;

 private:
  AccountWrites Writes(const AnsiString& fingerprint) const;

  IniFileUnit settings_;
  Prompt& prompt_;
  AnsiString accountName_;
  bool popLoginInPlainText_ = false;
};

}  // namespace orvane
