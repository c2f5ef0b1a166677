#include <gtest/gtest.h>

#include <string>

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
      {"", {u"", u"", u"", u"25", false, u"", u""}},
      {"[Account]\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\nSMTP=mail.example.jp\r\n"
       "SMTPPORT=587\r\nUserID=taro\r\nPass=\"p w\"\r\nAuth=-1\r\n",
       {u"山田 太郎", u"taro@example.jp", u"mail.example.jp", u"587", true, u"taro", u"p w"}},
      // Edited by hand: any number but 0 is true, "False" false.
      {"[Account]\r\nAuth=1\r\n", {u"", u"", u"", u"25", true, u"", u""}},
      {"[Account]\r\nAuth=False\r\nSMTPPORT=\r\n", {u"", u"", u"", u"", false, u"", u""}},
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
               {"[Account]\r\nAuth=TRUE\r\nAPOP=$0\r\n", true, true}};
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
  form.Fields = {u"山田 太郎", u"taro@example.jp", u" mail.example.jp ", u"abc", true, u"taro",
                 u"秘密"};
  form.Save();
  EXPECT_EQ(ReadFile(home / "work.ini"),
            WideToSjis(u"[Account]\r\nUser=\r\nName=山田 太郎\r\nAddress=taro@example.jp\r\n"
                       u"SMTP= mail.example.jp \r\nSMTPPORT=abc\r\nUserID=taro\r\nPass=秘密\r\n"
                       u"Auth=-1\r\n\r\n[Signature]\r\nLineCount=0\r\n"));
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
  EXPECT_EQ(form.Fields, (PopBeforeFields{false, u"", u"110", false}));
  EXPECT_FALSE(form.AccountGroupEnabled());
  form.Fields = {true, u"pop.example.jp", u"1110", true};
  EXPECT_TRUE(form.AccountGroupEnabled());
  form.Fields.popBeforeSmtp = false;
  EXPECT_FALSE(form.AccountGroupEnabled());
  form.Save();
  EXPECT_EQ(ReadFile(home / "work.ini"),
            "[Account]\r\nPopBeforeSmtp=0\r\nPOP3=pop.example.jp\r\nPOP3PORT=1110\r\nAPOP=-1\r\n");
}

TEST_F(AccountDialogs, PopSettingsSavedInTheirDialogOutliveCancelInTheAccountDialog) {
  WriteAccount("work", "[Account]\r\nName=before\r\n");
  TAccountForm account(Settings(), prompt, "work");
  account.Show();
  account.Fields.name = u"typed, then cancelled";
  TPopBeforeForm popBefore = account.PopBeforeForm();
  popBefore.Show();
  popBefore.Fields = {true, u"pop.example.jp", u"110", false};
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

}  // namespace
}  // namespace orvane
