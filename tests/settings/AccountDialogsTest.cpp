#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/AccountUnit.h"
#include "settings/PopBeforeUnit.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::ReadFile;
using test::ScriptedPrompt;
using test::TempFolder;
using test::WriteFile;

class AccountDialogs : public ::testing::Test {
 protected:
  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }
  void WriteAccount(const std::string& name, const std::string& utf8Lines) {
    WriteFile(home / (name + ".ini"), WideToSjis(Utf8ToWide(utf8Lines)));
  }
  TempFolder home;
  ScriptedPrompt prompt;
};

TEST_F(AccountDialogs, AccountDialogShowsTheFileOrTheDefaults) {
  struct Case {
    const char* file;  // empty: no file
    AccountFields shown;
  } cases[] = {
      // A new account, without a file or as "追加" leaves it: STARTTLS on 587.
      {"", {u"", u"", u"", u"587", false, u"", u"", scStartTls, false, u""}},
      {"[Account]\r\nUser=\r\n", {u"", u"", u"", u"587", false, u"", u"", scStartTls, false, u""}},
      // Saved before encryption could be chosen: なし, the port as stored.
      {"[Account]\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\nSMTP=mail.example.jp\r\n"
       "SMTPPORT=587\r\nUserID=taro\r\nPass=\"p w\"\r\nAuth=-1\r\n",
       {u"山田 太郎", u"taro@example.jp", u"mail.example.jp", u"587", true, u"taro", u"p w", scNone,
        false, u""}},
      // Edited by hand: any number but 0 is true, "False" false.
      {"[Account]\r\nAuth=1\r\n", {u"", u"", u"", u"25", true, u"", u"", scNone, false, u""}},
      {"[Account]\r\nAuth=False\r\nSMTPPORT=\r\n",
       {u"", u"", u"", u"", false, u"", u"", scNone, false, u""}},
      {"[Account]\r\nSecurity=2\r\nSMTPPORT=465\r\nAllowPlainAuth=-1\r\nTlsFingerprint=ab:cd\r\n",
       {u"", u"", u"", u"465", false, u"", u"", scTls, true, u"ab:cd"}},
      // Only "-1" lets a password out, as the send window reads it.
      {"[Account]\r\nSecurity=$1\r\nAllowPlainAuth=1\r\n",
       {u"", u"", u"", u"25", false, u"", u"", scStartTls, false, u""}},
  };
  for (const Case& c : cases) {
    if (*c.file) WriteAccount("work", c.file);
    TAccountForm form(Settings(), prompt, "work");
    form.Show();
    EXPECT_EQ(form.Fields, c.shown) << c.file;
  }
}

TEST_F(AccountDialogs, BooleansThatAreNoBooleansKeepTheirDialogShut) {
  struct Case {
    const char* file;
    bool accountOpens;
    bool popBeforeOpens;
  } cases[] = {{"[Account]\r\nAuth=yes\r\n", false, true},
               {"[Account]\r\nPopBeforeSmtp=on\r\n", true, false},
               {"[Account]\r\nAPOP=\r\n", true, false},
               {"[Account]\r\nAuth=TRUE\r\nAPOP=$0\r\n", true, true},
               // An encryption the program does not know is not guessed.
               {"[Account]\r\nSecurity=3\r\n", false, true},
               {"[Account]\r\nSecurity=tls\r\n", false, true},
               {"[Account]\r\nPopSecurity=-1\r\n", true, false}};
  for (const Case& c : cases) {
    WriteAccount("work", c.file);
    TAccountForm account(Settings(), prompt, "work");
    TPopBeforeForm popBefore(Settings(), "work");
    if (c.accountOpens)
      EXPECT_NO_THROW(account.Show()) << c.file;
    else
      EXPECT_THROW(account.Show(), ConvertError) << c.file;
    if (c.popBeforeOpens)
      EXPECT_NO_THROW(popBefore.Show()) << c.file;
    else
      EXPECT_THROW(popBefore.Show(), ConvertError) << c.file;
  }
}

TEST_F(AccountDialogs, StandardPortButtonsAreEnabledOffTheStandardPort) {
  struct Case {
    const char16_t* port;
    bool smtpEnabled;
    bool popEnabled;
  } cases[] = {{u"25", false, true}, {u"2525", true, true}, {u"110", true, false},
               {u"", true, true},    {u" 25", true, true},  {u"０２５", true, true}};
  TAccountForm account(Settings(), prompt, "work");
  TPopBeforeForm popBefore(Settings(), "work");
  for (const Case& c : cases) {
    account.Fields.port = c.port;
    popBefore.Fields.port = c.port;
    EXPECT_EQ(account.DefaultPortEnabled(), c.smtpEnabled) << WideToUtf8(c.port);
    EXPECT_EQ(popBefore.DefaultPortEnabled(), c.popEnabled) << WideToUtf8(c.port);
  }
  account.DefaultPortClicked();
  popBefore.DefaultPortClicked();
  EXPECT_EQ(account.Fields.port, u"25");
  EXPECT_EQ(popBefore.Fields.port, u"110");
  EXPECT_FALSE(account.DefaultPortEnabled());
  EXPECT_FALSE(popBefore.DefaultPortEnabled());
}

TEST_F(AccountDialogs, SavingWritesTheFieldsAsTypedInShiftJis) {
  WriteAccount("work", "[Account]\r\nUser=\r\n\r\n[Signature]\r\nLineCount=0\r\n");
  TAccountForm form(Settings(), prompt, "work");
  form.Show();
  form.Fields = {u"山田 太郎",
                 u"taro@example.jp",
                 u" mail.example.jp ",
                 u"abc",
                 true,
                 u"taro",
                 u"秘密",
                 scTls,
                 true,
                 u""};
  EXPECT_TRUE(form.Save());
  EXPECT_EQ(ReadFile(home / "work.ini"),
            WideToSjis(u"[Account]\r\nUser=\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\n"
                       u"SMTP= mail.example.jp \r\nSMTPPORT=abc\r\nUserID=taro\r\nPass=秘密\r\n"
                       u"Auth=-1\r\nSecurity=2\r\nAllowPlainAuth=-1\r\nTlsFingerprint=\r\n"
                       u"\r\n[Signature]\r\nLineCount=0\r\n"));
  form.Fields.auth = false;
  form.Save();
  EXPECT_EQ(Settings().Read("work", keys::kAuth), "0");
}

TEST_F(AccountDialogs, ThePasswordButtonShowsThePasswordInPlainText) {
  TAccountForm form(Settings(), prompt, "work");
  form.Fields.password = u"Canary-7f3Q9zx!";
  form.ShowPasswordClicked();
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Information),
            std::vector<WideString>{u"Canary-7f3Q9zx!"});
}

TEST_F(AccountDialogs, PopBeforeSmtpOffDisablesTheServerButOkStillSavesIt) {
  TPopBeforeForm form(Settings(), "work");
  form.Show();
  EXPECT_EQ(form.Fields, (PopBeforeFields{false, u"", u"110", false, scStartTls}));
  EXPECT_FALSE(form.AccountGroupEnabled());
  form.Fields = {true, u"pop.example.jp", u"1110", true, scNone};
  EXPECT_TRUE(form.AccountGroupEnabled());
  form.Fields.popBeforeSmtp = false;
  EXPECT_FALSE(form.AccountGroupEnabled());
  form.Save();
  EXPECT_EQ(ReadFile(home / "work.ini"),
            "[Account]\r\nPopBeforeSmtp=0\r\nPOP3=pop.example.jp\r\nPOP3PORT=1110\r\nAPOP=-1\r\n"
            "PopSecurity=0\r\n");
}

TEST_F(AccountDialogs, PopSettingsSavedInTheirDialogOutliveCancelInTheAccountDialog) {
  WriteAccount("work", "[Account]\r\nName=before\r\n");
  TAccountForm account(Settings(), prompt, "work");
  account.Show();
  account.Fields.name = u"typed, then cancelled";
  TPopBeforeForm popBefore = account.PopBeforeForm();
  popBefore.Show();
  popBefore.Fields = {true, u"pop.example.jp", u"110", false, scStartTls};
  popBefore.Save();
  // The account dialog is cancelled: nothing of it is written.
  TPopBeforeForm again(Settings(), "work");
  again.Show();
  EXPECT_EQ(again.Fields, popBefore.Fields);
  EXPECT_EQ(Settings().Read("work", keys::kName), "before");
}

TEST_F(AccountDialogs, AFailedSaveThrowsAndLeavesTheFileAsItWas) {
  WriteAccount("work", "[Account]\r\nName=before\r\n");
  const std::string before = ReadFile(home / "work.ini");
  TAccountForm form(Settings(), prompt, "work");
  form.Show();
  // A line break would turn into a line of its own: refused as a whole.
  form.Fields.name = u"a\r\nSMTP=evil.example";
  form.Fields.smtp = u"mail.example.jp";
  EXPECT_THROW(form.Save(), Error);
  EXPECT_EQ(ReadFile(home / "work.ini"), before);
}

// The "標準" buttons know each choice's port (SMTP 25, 587, 465; POP3 110,
// 110, 995), and choosing another encryption moves a standard port along
// while a port the user typed stays.
TEST_F(AccountDialogs, StandardPortsFollowTheChoice) {
  struct Case {
    TSecurity from;
    const char16_t* port;
    bool smtpEnabled, popEnabled;
    TSecurity to;
    const char16_t *smtpPort, *popPort;  // after choosing `to`
  } cases[] = {
      {scNone, u"25", false, true, scStartTls, u"587", u"25"},
      {scStartTls, u"587", false, true, scTls, u"465", u"587"},
      {scTls, u"465", false, true, scNone, u"25", u"465"},
      {scNone, u"110", true, false, scTls, u"110", u"995"},
      {scTls, u"995", true, false, scStartTls, u"995", u"110"},
      {scStartTls, u"110", true, false, scNone, u"110", u"110"},
      {scStartTls, u"25", true, true, scTls, u"25", u"25"},
      {scTls, u"587", true, true, scNone, u"587", u"587"},
      {scNone, u"", true, true, scTls, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.port) + " from " + std::to_string(c.from));
    TAccountForm account(Settings(), prompt, "work");
    TPopBeforeForm popBefore(Settings(), "work");
    account.Fields.security = popBefore.Fields.security = c.from;
    account.Fields.port = popBefore.Fields.port = c.port;
    EXPECT_EQ(account.DefaultPortEnabled(), c.smtpEnabled);
    EXPECT_EQ(popBefore.DefaultPortEnabled(), c.popEnabled);
    account.SecurityChosen(c.to);
    popBefore.SecurityChosen(c.to);
    EXPECT_EQ(account.Fields.port, c.smtpPort);
    EXPECT_EQ(popBefore.Fields.port, c.popPort);
    account.DefaultPortClicked();
    popBefore.DefaultPortClicked();
    EXPECT_FALSE(account.DefaultPortEnabled());
    EXPECT_FALSE(popBefore.DefaultPortEnabled());
  }
}

// A POP3 login never set up starts with STLS; one saved before PopSecurity
// existed shows なし with its port.
TEST_F(AccountDialogs, PopBeforeSmtpShowsNewLoginsEncrypted) {
  struct Case {
    const char* file;
    PopBeforeFields shown;
  } cases[] = {
      {"User=\r\nSecurity=1\r\n", {false, u"", u"110", false, scStartTls}},
      {"PopBeforeSmtp=-1\r\nPOP3=p\r\n", {true, u"p", u"110", false, scNone}},
      {"POP3PORT=1110\r\n", {false, u"", u"1110", false, scNone}},
      {"PopSecurity=2\r\nPOP3PORT=995\r\n", {false, u"", u"995", false, scTls}},
  };
  for (const Case& c : cases) {
    WriteAccount("work", std::string("[Account]\r\n") + c.file);
    TPopBeforeForm form(Settings(), "work");
    form.Show();
    EXPECT_EQ(form.Fields, c.shown) << c.file;
  }
}

// An account set up before encryption could be chosen keeps every value
// through both dialogs; their OK adds the encryption keys as shown.
TEST_F(AccountDialogs, OldFilesKeepTheirValuesAndGainTheKeysOnOk) {
  const std::string old =
      "; written by an older version\r\n[Account]\r\nUser=\r\nName=Taro\r\n"
      "Address=taro@example.jp\r\nSMTP=mail.example.jp\r\nSMTPPORT=25\r\nUserID=taro\r\n"
      "Pass=secret\r\nAuth=-1\r\nPopBeforeSmtp=-1\r\nPOP3=pop.example.jp\r\nPOP3PORT=110\r\n"
      "APOP=0\r\n\r\n[Signature]\r\nLineCount=0\r\n";
  WriteAccount("work", old);
  TAccountForm account(Settings(), prompt, "work");
  account.Show();
  const AccountFields shown = account.Fields;
  EXPECT_EQ(shown.security, scNone);
  EXPECT_EQ(shown.port, u"25");
  EXPECT_TRUE(account.Save());
  TPopBeforeForm popBefore = account.PopBeforeForm();
  popBefore.Show();
  popBefore.Save();
  std::string expected = old;
  expected.insert(expected.find("\r\n\r\n[Signature]") + 2,
                  "Security=0\r\nAllowPlainAuth=0\r\nTlsFingerprint=\r\nPopSecurity=0\r\n");
  EXPECT_EQ(ReadFile(home / "work.ini"), expected);
  account.Show();
  EXPECT_EQ(account.Fields, shown);
}

// The fingerprint is stored as the log shows it, or refused with a message
// and nothing written.
TEST_F(AccountDialogs, TheFingerprintIsCheckedOnOk) {
  const WideString hex = u"00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";
  const std::string canonical =
      "00:11:22:33:44:55:66:77:88:99:AA:BB:CC:DD:EE:FF:"
      "00:11:22:33:44:55:66:77:88:99:AA:BB:CC:DD:EE:FF";
  const WideString colons = Utf8ToWide(canonical);
  struct Case {
    WideString typed;
    std::optional<std::string> stored;  // nullopt: refused
  } cases[] = {
      {u"", ""},
      {u"  ", ""},
      {hex, canonical},
      {u" " + ToAsciiLower(colons) + u" ", canonical},
      {hex.substr(2), std::nullopt},                    // 31 bytes
      {hex.substr(1), std::nullopt},                    // an odd digit
      {colons.substr(0, 59), std::nullopt},             // a SHA-1 fingerprint
      {u"SHA256 Fingerprint=" + colons, std::nullopt},  // the openssl command's line
      {u"０" + hex.substr(1), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.typed));
    WriteAccount("work", "[Account]\r\nName=before\r\nTlsFingerprint=kept\r\n");
    const std::string before = ReadFile(home / "work.ini");
    ScriptedPrompt shown;
    TAccountForm form(Settings(), shown, "work");
    form.Show();
    form.Fields.name = u"after";
    form.Fields.tlsFingerprint = c.typed;
    EXPECT_EQ(form.Save(), c.stored.has_value());
    if (c.stored) {
      EXPECT_EQ(Settings().Read("work", keys::kTlsFingerprint), *c.stored);
      EXPECT_TRUE(shown.shown.empty());
    } else {
      EXPECT_EQ(ReadFile(home / "work.ini"), before);
      EXPECT_EQ(shown.Texts(ScriptedPrompt::Shown::Error),
                std::vector<WideString>{TAccountForm::kBadFingerprint});
    }
  }
}

// "暗号化なしで認証を許可する" is offered where a password would go in plain
// text: SMTP authentication without encryption, or a POP3 login before
// sending without it, as stored or as its dialog just saved it.
TEST_F(AccountDialogs, PlainAuthCheckBoxIsOfferedWhereAPasswordWouldGoInPlainText) {
  struct Case {
    const char* popKeys;
    bool auth;
    TSecurity security;
    std::optional<PopBeforeFields> popSaved;
    bool enabled;
  } cases[] = {
      {"", true, scNone, std::nullopt, true},
      {"", false, scNone, std::nullopt, false},
      {"", true, scStartTls, std::nullopt, false},
      {"PopBeforeSmtp=-1\r\n", false, scTls, std::nullopt, true},
      {"PopBeforeSmtp=-1\r\nPopSecurity=1\r\n", false, scNone, std::nullopt, false},
      {"PopBeforeSmtp=-1\r\nPopSecurity=2\r\n", true, scNone, std::nullopt, true},
      // Values the POP-before-SMTP dialog would refuse keep the box at hand.
      {"PopBeforeSmtp=on\r\n", false, scTls, std::nullopt, true},
      {"PopBeforeSmtp=-1\r\nPopSecurity=9\r\n", false, scTls, std::nullopt, true},
      {"", false, scTls, PopBeforeFields{true, u"p", u"110", false, scNone}, true},
      {"PopBeforeSmtp=-1\r\n", false, scTls, PopBeforeFields{true, u"p", u"995", false, scTls},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.popKeys) + (c.auth ? " auth" : "") + " security " +
                 std::to_string(c.security));
    WriteAccount("work", std::string("[Account]\r\n") + c.popKeys);
    TAccountForm form(Settings(), prompt, "work");
    form.Show();
    form.Fields.auth = c.auth;
    form.SecurityChosen(c.security);
    if (c.popSaved) form.PopBeforeSaved(*c.popSaved);
    EXPECT_EQ(form.AllowPlainAuthEnabled(), c.enabled);
  }
}

}  // namespace
}  // namespace orvane
