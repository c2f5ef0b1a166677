#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FormsFixture.h"
#include "settings/AccountUnit.h"
#include "settings/forms/AccountFormView.h"

namespace orvane::test {
namespace {

constexpr const char* kPasswordAccount =
    "[Account]\r\nName=W\r\nAddress=w@example.jp\r\nSMTP=mail.example.jp\r\nSMTPPORT=587\r\n"
    "Auth=-1\r\nSecurity=1\r\nPass=secret\r\n";

// The account dialog of account "work" over a scripted sign-in.
class AccountOAuthView : public DialogTest {
 protected:
  void Open(const std::string& file) {
    WriteFile(home / "work.ini", file);
    form = std::make_unique<TAccountForm>(settings, prompt, "work", &signIn);
    form->Show();
    view = std::make_unique<TAccountFormView>(*form, Context().help, nullptr);
    view->show();
  }

  template <typename T>
  T* Child(const char* name) const {
    return Find<T>(view.get(), name);
  }

  // Picks an item as a user does, with the keyboard on the closed list.
  static void Choose(QComboBox* choice, int index) {
    while (choice->currentIndex() < index) QTest::keyClick(choice, Qt::Key_Down);
    while (choice->currentIndex() > index) QTest::keyClick(choice, Qt::Key_Up);
  }

  ScriptedSignIn signIn;
  std::unique_ptr<TAccountForm> form;
  std::unique_ptr<TAccountFormView> view;
};

TEST_F(AccountOAuthView, TheMethodAndTheProviderShowWhatCounts) {
  struct Case {
    int provider;  // in the order of the list
    const char* smtp;
    const char* port;
    const char* security;
    bool tenant;
    bool endpoints;
  } cases[] = {
      {1, "smtp.gmail.com", "465", "SSL/TLS", false, false},
      // Endpoints the user enters leave the server as it was.
      {2, "smtp.gmail.com", "465", "SSL/TLS", false, true},
      {0, "smtp.office365.com", "587", "STARTTLS", true, false},
  };
  Open(kPasswordAccount);
  auto* group = Child<QGroupBox>("GB_OAuth");
  auto* password = Child<QLineEdit>("EDIT_PASS");
  auto* auth = Child<QCheckBox>("CB_Auth");
  EXPECT_FALSE(group->isVisible());
  EXPECT_TRUE(password->isEnabled());

  Choose(Child<QComboBox>("CB_AuthMethod"), 1);
  EXPECT_TRUE(group->isVisible());
  EXPECT_FALSE(password->isEnabled());
  EXPECT_FALSE(Child<QAbstractButton>("Button2")->isEnabled());
  EXPECT_FALSE(auth->isEnabled());
  EXPECT_TRUE(auth->isChecked());
  EXPECT_TRUE(Child<QPushButton>("BTN_SignIn")->isEnabled());
  EXPECT_EQ(Child<QLabel>("LB_SignIn")->text(), QStringLiteral("サインインしていません"));

  auto* provider = Child<QComboBox>("CB_Provider");
  EXPECT_EQ(provider->count(), 3);
  for (const Case& c : cases) {
    Choose(provider, c.provider);
    const QString name = provider->currentText();
    EXPECT_EQ(Child<QLineEdit>("EDIT_SMTP")->text(), QLatin1String(c.smtp)) << name.toStdString();
    EXPECT_EQ(Child<QLineEdit>("EDIT_PORT")->text(), QLatin1String(c.port)) << name.toStdString();
    EXPECT_EQ(Child<QComboBox>("CMB_Security")->currentText(), QLatin1String(c.security))
        << name.toStdString();
    EXPECT_EQ(Child<QLineEdit>("EDIT_Tenant")->isVisible(), c.tenant) << name.toStdString();
    for (const char* field : {"EDIT_AuthorizeUrl", "EDIT_TokenUrl", "EDIT_Scope"})
      EXPECT_EQ(Child<QLineEdit>(field)->isVisible(), c.endpoints) << field;
    EXPECT_EQ(Child<QLabel>("LB_ClientIdNote")->text().toStdU16String(), form->ClientIdNote());
  }
}

TEST_F(AccountOAuthView, TheWaitingWindowClosesWithTheSignIn) {
  enum Ending { kSignedIn, kTimedOut, kCancelled };
  struct Case {
    Ending ending;
    const char* status;
    size_t errors;
    const char* stored;  // the refresh token after OK
  } cases[] = {
      {kSignedIn, "サインインしました (w@example.jp)", 0, "fresh"},
      {kTimedOut, "サインインしていません", 1, ""},
      {kCancelled, "サインインしていません", 0, ""},
  };
  for (const Case& c : cases) {
    prompt.shown.clear();
    Open(kPasswordAccount);
    Choose(Child<QComboBox>("CB_AuthMethod"), 1);
    QTest::keyClicks(Child<QLineEdit>("EDIT_ClientId"), QStringLiteral("cid"));
    bool waited = false;
    OnNextModal([&](QWidget* wait) {
      waited = wait->objectName() == QLatin1String("SignInWait") && signIn.Running();
      switch (c.ending) {
        case kSignedIn:
          signIn.Finish({SignInOutcome::kSignedIn, "fresh", u""});
          break;
        case kTimedOut:
          signIn.Finish({SignInOutcome::kTimedOut, "", u""});
          break;
        case kCancelled:
          Find<QPushButton>(wait, "BTN_Cancel")->click();
          break;
      }
    });
    Child<QPushButton>("BTN_SignIn")->click();
    EXPECT_TRUE(waited) << c.status;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(signIn.Running());
    EXPECT_EQ(Child<QLabel>("LB_SignIn")->text(), QString::fromUtf8(c.status));
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error).size(), c.errors) << c.status;
    Child<QPushButton>("BTN_OK")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(settings.Read("work", keys::kOAuthRefreshToken), c.stored);
  }
  EXPECT_EQ(signIn.cancels, 1);
}

TEST_F(AccountOAuthView, OkWithoutEncryptionKeepsTheDialogOpenAtTheChoice) {
  Open(kPasswordAccount);
  Choose(Child<QComboBox>("CB_AuthMethod"), 1);
  auto* security = Child<QComboBox>("CMB_Security");
  Choose(security, 0);
  EXPECT_FALSE(Child<QCheckBox>("CB_AllowPlainAuth")->isEnabled());
  view->activateWindow();
  Child<QPushButton>("BTN_OK")->click();
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->focusWidget(), security);
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error),
            std::vector<WideString>{TAccountForm::kOAuthWithoutEncryption});
  EXPECT_EQ(ReadFile(home / "work.ini"), kPasswordAccount);
}

}  // namespace
}  // namespace orvane::test
