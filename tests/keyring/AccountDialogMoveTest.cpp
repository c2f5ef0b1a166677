// The account dialog moves the password and the refresh token into the
// keyring and back on OK, and deleting the account takes its items along.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/FormsFixture.h"
#include "keyring/KeyringShell.h"
#include "settings/AccountCommands.h"
#include "settings/forms/AccountFormView.h"

namespace orvane::test {
namespace {

class AccountDialogMove : public ::testing::Test {
 protected:
  AccountDialogMove() { TestApplication(); }

  // Opens the dialog of taro, lets `act` work its controls and presses OK.
  void Dialog(const std::function<void(QWidget&)>& act) {
    TAccountForm form(settings, prompt, "taro");
    form.Show();
    TAccountFormView view(form, [](QWidget*, int) {});
    view.show();
    act(view);
    view.findChild<QPushButton*>(QStringLiteral("BTN_OK"))->click();
    EXPECT_EQ(view.result(), QDialog::Accepted);
  }
  static void Choose(QWidget& dialog, int place) {
    auto* choice = dialog.findChild<QComboBox*>(QStringLiteral("CMB_SecretStore"));
    while (choice->currentIndex() < place) QTest::keyClick(choice, Qt::Key_Down);
    while (choice->currentIndex() > place) QTest::keyClick(choice, Qt::Key_Up);
  }
  std::string File() const { return ReadFile(home / "taro.ini"); }

  TempFolder home;
  IniFileUnit settings{home.Path()};
  ScriptedPrompt prompt;
};

TEST_F(AccountDialogMove, MovesTheSecretsInAndOutOfTheKeyring) {
  WriteFile(home / "taro.ini",
            "[Account]\r\nSMTP=smtp.office365.com\r\nSMTPPORT=587\r\nSecurity=1\r\nAuth=-1\r\n"
            "UserID=taro\r\nPass=pw-1\r\nAuthMethod=1\r\nOAuthProvider=microsoft365\r\n"
            "OAuthClientId=id\r\nOAuthRefreshToken=tok-1\r\n");
  Dialog([](QWidget& dialog) { Choose(dialog, 1); });
  EXPECT_EQ(File().find("Pass="), std::string::npos) << File();
  EXPECT_EQ(File().find("OAuthRefreshToken"), std::string::npos) << File();
  EXPECT_NE(File().find("SecretStore=1"), std::string::npos) << File();
  EXPECT_EQ(Lookup("account taro kind password"), "pw-1");
  EXPECT_EQ(Lookup("account taro kind oauth-refresh-token"), "tok-1");

  Dialog([](QWidget& dialog) {
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("EDIT_PASS"))->text(), "pw-1");
    Choose(dialog, 0);
  });
  EXPECT_NE(File().find("Pass=pw-1"), std::string::npos) << File();
  EXPECT_NE(File().find("OAuthRefreshToken=tok-1"), std::string::npos) << File();
  EXPECT_EQ(Lookup("account taro kind password"), "");
  EXPECT_EQ(Lookup("account taro kind oauth-refresh-token"), "");

  // A command: its field shows, the password leaves the file, the token stays.
  Dialog([](QWidget& dialog) {
    Choose(dialog, 2);
    auto* command = dialog.findChild<QLineEdit*>(QStringLiteral("EDIT_PassCommand"));
    EXPECT_TRUE(command->isVisible());
    EXPECT_FALSE(dialog.findChild<QLineEdit*>(QStringLiteral("EDIT_PASS"))->isEnabled());
    QTest::keyClicks(command, QStringLiteral("pass show mail/taro"));
  });
  EXPECT_EQ(File().find("Pass="), std::string::npos) << File();
  EXPECT_NE(File().find("PassCommand=pass show mail/taro"), std::string::npos) << File();
  EXPECT_NE(File().find("OAuthRefreshToken=tok-1"), std::string::npos) << File();
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(AccountDialogMove, DeletingTheAccountRemovesItsKeyringItems) {
  WriteFile(home / "taro.ini", "[Account]\r\nAuth=-1\r\nPass=pw-2\r\n");
  Dialog([](QWidget& dialog) { Choose(dialog, 1); });
  EXPECT_EQ(Lookup("account taro kind password"), "pw-2");
  prompt.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(DeleteAccount(settings, prompt, "taro"));
  EXPECT_EQ(Lookup("account taro kind password"), "");
  EXPECT_FALSE(settings.AccountExists("taro"));
}

}  // namespace
}  // namespace orvane::test
