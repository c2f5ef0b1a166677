#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "app/AccountSecurity.h"
#include "platform/Error.h"
#include "settings/AccountUnit.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

using enum TPlainAuthVerdict;

// What an account file says about encryption, and whether its password may
// then go in plain text to a server elsewhere: an old file keeps sending it
// (with the warning), a file of the new dialog refuses unless allowed.
TEST(ReadAccountSecurity, DecidesFromTheAccountFile) {
  struct Case {
    const char* file;  // section Account; nullptr: no file at all
    TSecurity smtp, pop;
    const char* fingerprint;
    TPlainAuthVerdict plainElsewhere;
  } cases[] = {
      {nullptr, scNone, scNone, "", kSendAndWarn},
      {"Auth=-1\r\nUserID=taro\r\n", scNone, scNone, "", kSendAndWarn},
      {"Security=0\r\nAuth=-1\r\n", scNone, scNone, "", kRefuse},
      {"Security=\"0\"\r\nAllowPlainAuth=-1\r\n", scNone, scNone, "", kSend},
      {"Security=0\r\nAllowPlainAuth=1\r\n", scNone, scNone, "", kRefuse},
      {"Security=0\r\nAllowPlainAuth=True\r\n", scNone, scNone, "", kRefuse},
      {"Security=1\r\nPopSecurity=2\r\nTlsFingerprint=AB:CD\r\n", scStartTls, scTls, "AB:CD",
       kRefuse},
      {"security=2\r\n", scTls, scNone, "", kRefuse},
      {"PopSecurity=1\r\n", scNone, scStartTls, "", kSendAndWarn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    TempFolder home;
    if (c.file) std::ofstream(home / "work.ini") << "[Account]\r\n" << c.file;
    TAccountSecurity security = ReadAccountSecurity(IniFileUnit(home.Path()), "work");
    EXPECT_EQ(security.Smtp, c.smtp);
    EXPECT_EQ(security.Pop, c.pop);
    EXPECT_EQ(security.TlsFingerprint, c.fingerprint);
    EXPECT_EQ(DecidePlainAuth(security.PlainAuth, false, false), c.plainElsewhere);
    // Over TLS, or to this machine, the password always goes.
    EXPECT_EQ(DecidePlainAuth(security.PlainAuth, true, false), kSend);
    EXPECT_NE(DecidePlainAuth(security.PlainAuth, false, true), kRefuse);
  }
}

TEST(ReadAccountSecurity, RefusesAValueItCannotTrust) {
  for (const char* file : {"Security=3\r\n", "Security=tls\r\n", "PopSecurity=-1\r\n"}) {
    SCOPED_TRACE(file);
    TempFolder home;
    std::ofstream(home / "work.ini") << "[Account]\r\n" << file;
    EXPECT_THROW(ReadAccountSecurity(IniFileUnit(home.Path()), "work"), ConvertError);
  }
}

// What the account dialogs save is what the send window goes by: a new
// account and a saved old one refuse a plain-text password unless the box
// is ticked, and the pin is stored in the form the certificate is compared.
TEST(ReadAccountSecurity, ReadsWhatTheDialogsSaved) {
  struct Case {
    const char* file;                                // section Account before; nullptr: no file
    std::optional<TSecurity> smtpChoice, popChoice;  // nullopt: as the dialog showed it
    bool allowPlainAuth;
    const char16_t* fingerprint;
    TSecurity smtp, pop;
    const char* pin;
    TPlainAuthVerdict plainElsewhere;
  } cases[] = {
      {nullptr, std::nullopt, std::nullopt, false, u"", scStartTls, scStartTls, "", kRefuse},
      // An old account: SMTP as it was; its POP3 login, never set up, starts encrypted.
      {"Auth=-1\r\nSMTPPORT=25\r\n", std::nullopt, std::nullopt, false, u"", scNone, scStartTls, "",
       kRefuse},
      {"Auth=-1\r\nSMTPPORT=25\r\nPOP3=pop.example.jp\r\n", std::nullopt, std::nullopt, true, u"",
       scNone, scNone, "", kSend},
      {"User=\r\n", scTls, scTls, false,
       u"ffeeddccbbaa99887766554433221100ffeeddccbbaa99887766554433221100", scTls, scTls,
       "FF:EE:DD:CC:BB:AA:99:88:77:66:55:44:33:22:11:00:"
       "FF:EE:DD:CC:BB:AA:99:88:77:66:55:44:33:22:11:00",
       kRefuse},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    TempFolder home;
    if (c.file) std::ofstream(home / "work.ini") << "[Account]\r\n" << c.file;
    const IniFileUnit settings(home.Path());
    ScriptedPrompt prompt;
    TAccountForm account(settings, prompt, "work");
    account.Show();
    if (c.smtpChoice) account.SecurityChosen(*c.smtpChoice);
    account.Fields.allowPlainAuth = c.allowPlainAuth;
    account.Fields.tlsFingerprint = c.fingerprint;
    ASSERT_TRUE(account.Save());
    TPopBeforeForm popBefore = account.PopBeforeForm();
    popBefore.Show();
    if (c.popChoice) popBefore.SecurityChosen(*c.popChoice);
    popBefore.Save();
    TAccountSecurity security = ReadAccountSecurity(settings, "work");
    EXPECT_EQ(security.Smtp, c.smtp);
    EXPECT_EQ(security.Pop, c.pop);
    EXPECT_EQ(security.TlsFingerprint, c.pin);
    EXPECT_EQ(DecidePlainAuth(security.PlainAuth, false, false), c.plainElsewhere);
  }
}

}  // namespace
}  // namespace orvane::test
