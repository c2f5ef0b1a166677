#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FormsFixture.h"
#include "settings/AccountUnit.h"
#include "settings/IniFileUnit.h"

namespace orvane::test {
namespace {

// Runs `act` on the modal dialog of the given name once it is up.
void OnDialog(const char* name, std::function<void(QWidget&)> act, bool* seen) {
  QTimer::singleShot(0, [name, act, seen] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog->objectName() != QLatin1String(name)) return;
    *seen = true;
    act(*dialog);
  });
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(QLatin1String(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// Picks an encryption as a user does, with the keyboard on the closed list.
void Choose(QComboBox* choice, int index) {
  while (choice->currentIndex() < index) QTest::keyClick(choice, Qt::Key_Down);
  while (choice->currentIndex() > index) QTest::keyClick(choice, Qt::Key_Up);
}

class AccountDialogView : public MainWindowTest {
 protected:
  using OpenPop = std::function<void()>;
  // Opens the account dialog of the current account and runs `onAccount`
  // on it; the `OpenPop` it gets presses BTN_POP, and `onPop` runs on the
  // POP-before-SMTP dialog that comes up. Both dialogs must have come up.
  void RunAccountDialogs(const std::function<void(QWidget&, const OpenPop&)>& onAccount,
                         const std::function<void(QWidget&)>& onPop) {
    bool seenAccount = false, seenPop = false;
    OnDialog(
        "AccountForm",
        [&](QWidget& account) {
          onAccount(account, [&] {
            OnDialog("PopBeforeForm", onPop, &seenPop);
            Child<QPushButton>(account, "BTN_POP")->click();
          });
        },
        &seenAccount);
    Find<QAction>("ActionAcountSet")->trigger();
    EXPECT_TRUE(seenAccount);
    EXPECT_TRUE(seenPop);
  }
};

TEST_F(AccountDialogView, ShowsTheAccountAndSavesWhatWasTyped) {
  WriteFile(home / "work.ini",
            "[Account]\r\nName=W\r\nSMTP=mail.example.jp\r\nPass=secret\r\nAuth=-1\r\n");
  Open();
  bool seen = false;
  OnDialog(
      "AccountForm",
      [&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("アカウントの設定"));
        EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(Child<QLineEdit>(dialog, "EDIT_Name")->text(), QStringLiteral("W"));
        EXPECT_EQ(Child<QLineEdit>(dialog, "EDIT_SMTP")->text(), QStringLiteral("mail.example.jp"));
        EXPECT_TRUE(Child<QCheckBox>(dialog, "CB_Auth")->isChecked());
        auto* password = Child<QLineEdit>(dialog, "EDIT_PASS");
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        auto* port = Child<QLineEdit>(dialog, "EDIT_PORT");
        auto* standard = Child<QPushButton>(dialog, "Button1");
        EXPECT_EQ(port->text(), QStringLiteral("25"));
        EXPECT_FALSE(standard->isEnabled());
        port->clear();
        QTest::keyClicks(port, QStringLiteral("2525"));
        EXPECT_TRUE(standard->isEnabled());
        Child<QAbstractButton>(dialog, "Button2")->click();
        auto* address = Child<QLineEdit>(dialog, "EDIT_Address");
        QTest::keyClicks(address, QStringLiteral("w@example.jp"));
        Child<QPushButton>(dialog, "BTN_OK")->click();
      },
      &seen);
  Find<QAction>("ActionAcountSet")->trigger();
  EXPECT_TRUE(seen);
  IniFileUnit settings(home.Path());
  EXPECT_EQ(settings.Read("work", keys::kSmtpPort), "2525");
  EXPECT_EQ(settings.Read("work", keys::kAddress), "w@example.jp");
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Information), std::vector<WideString>{u"secret"});
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Orvane - W <w@example.jp> [work]"));
}

TEST_F(AccountDialogView, PopBeforeSmtpSavesOnItsOwnOk) {
  Open();
  RunAccountDialogs(
      [&](QWidget& account, const OpenPop& openPop) {
        // A new account: STARTTLS, no password in plain text until the
        // POP3 login goes without encryption.
        auto* allow = Child<QCheckBox>(account, "CB_AllowPlainAuth");
        EXPECT_FALSE(allow->isEnabled());
        openPop();
        EXPECT_TRUE(allow->isEnabled());
        Child<QPushButton>(account, "BTN_Cancel")->click();
      },
      [&](QWidget& pop) {
        EXPECT_EQ(pop.windowTitle(), QStringLiteral("Pop Before Smtp認証"));
        auto* choice = Child<QComboBox>(pop, "CMB_Security");
        EXPECT_EQ(choice->currentText(), QStringLiteral("STARTTLS"));
        auto* enable = Child<QCheckBox>(pop, "CB_POP");
        auto* group = Child<QGroupBox>(pop, "GB_Account");
        auto* standard = Child<QPushButton>(pop, "BTN_DEFPORT");
        EXPECT_FALSE(enable->isChecked());
        EXPECT_FALSE(group->isEnabled());
        EXPECT_FALSE(standard->isEnabled());
        enable->click();
        EXPECT_TRUE(group->isEnabled());
        QTest::keyClicks(Child<QLineEdit>(pop, "EDIT_POP3"), QStringLiteral("pop.example.jp"));
        QTest::keyClicks(Child<QLineEdit>(pop, "EDIT_PORT"), QStringLiteral("0"));
        EXPECT_TRUE(standard->isEnabled());
        standard->click();
        EXPECT_EQ(Child<QLineEdit>(pop, "EDIT_PORT")->text(), QStringLiteral("110"));
        Child<QCheckBox>(pop, "CB_APOP")->click();
        Choose(choice, 0);
        Child<QPushButton>(pop, "BTN_OK")->click();
      });
  EXPECT_EQ(ReadFile(home / "NewAccount.ini"),
            "[Account]\r\nPopBeforeSmtp=-1\r\nPOP3=pop.example.jp\r\nPOP3PORT=110\r\nAPOP=-1\r\n"
            "PopSecurity=0\r\n");
}

TEST_F(AccountDialogView, AddingAnAccountOpensItsDialog) {
  Open();
  prompt.inputs.push_back(u"work");
  bool seen = false;
  OnDialog(
      "AccountForm",
      [&](QWidget& dialog) {
        Child<QLineEdit>(dialog, "EDIT_Name")->insert(QStringLiteral("新しい"));
        Child<QPushButton>(dialog, "BTN_OK")->click();
      },
      &seen);
  Find<QAction>("ActionAccountAdd")->trigger();
  EXPECT_TRUE(seen);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Orvane - 新しい <> [work]"));
}

TEST_F(AccountDialogView, ShowsAndStoresTheEncryption) {
  WriteFile(home / "work.ini",
            "[Account]\r\nSMTP=mail.example.jp\r\nSMTPPORT=465\r\nAuth=0\r\nSecurity=2\r\n"
            "AllowPlainAuth=-1\r\nTlsFingerprint=AB:CD\r\n");
  Open();
  bool seen = false;
  OnDialog(
      "AccountForm",
      [&](QWidget& dialog) {
        auto* choice = Child<QComboBox>(dialog, "CMB_Security");
        auto* port = Child<QLineEdit>(dialog, "EDIT_PORT");
        auto* standard = Child<QPushButton>(dialog, "Button1");
        auto* allow = Child<QCheckBox>(dialog, "CB_AllowPlainAuth");
        auto* fingerprint = Child<QLineEdit>(dialog, "EDIT_Fingerprint");
        EXPECT_EQ(allow->text(), QStringLiteral("暗号化なしで認証を許可する"));
        EXPECT_EQ(choice->currentText(), QStringLiteral("SSL/TLS"));
        EXPECT_EQ(port->text(), QStringLiteral("465"));
        EXPECT_FALSE(standard->isEnabled());
        EXPECT_TRUE(allow->isChecked());
        EXPECT_FALSE(allow->isEnabled());
        EXPECT_EQ(fingerprint->text(), QStringLiteral("AB:CD"));
        // The standard port follows the choice; "標準" knows the choice's.
        Choose(choice, 1);
        EXPECT_EQ(port->text(), QStringLiteral("587"));
        port->clear();
        QTest::keyClicks(port, QStringLiteral("25"));
        EXPECT_TRUE(standard->isEnabled());
        standard->click();
        EXPECT_EQ(port->text(), QStringLiteral("587"));
        Choose(choice, 0);
        EXPECT_EQ(port->text(), QStringLiteral("25"));
        EXPECT_FALSE(allow->isEnabled());
        Child<QCheckBox>(dialog, "CB_Auth")->click();
        EXPECT_TRUE(allow->isEnabled());
        allow->click();
        fingerprint->clear();
        QTest::keyClicks(fingerprint, QString(64, QLatin1Char('a')));
        Child<QPushButton>(dialog, "BTN_OK")->click();
      },
      &seen);
  Find<QAction>("ActionAcountSet")->trigger();
  EXPECT_TRUE(seen);
  EXPECT_EQ(ReadFile(home / "work.ini"),
            "[Account]\r\nSMTP=mail.example.jp\r\nSMTPPORT=25\r\nAuth=-1\r\nSecurity=0\r\n"
            "AllowPlainAuth=0\r\nTlsFingerprint=" +
                QStringLiteral("AA:").repeated(31).toStdString() +
                "AA\r\nName=\r\nAddress=\r\n"
                "UserID=\r\nPass=\r\n");
}

// A malformed fingerprint keeps the dialog open with the field to mend;
// Cancel in either dialog then writes nothing, whatever was changed.
TEST_F(AccountDialogView, CancelWritesNothingAndABadFingerprintKeepsTheDialogOpen) {
  const std::string before =
      "[Account]\r\nName=W\r\nSMTP=mail.example.jp\r\nSMTPPORT=25\r\nAuth=-1\r\n"
      "PopBeforeSmtp=0\r\nPOP3=pop.example.jp\r\nPOP3PORT=110\r\n";
  WriteFile(home / "work.ini", before);
  Open();
  bool stayedOpen = false;
  RunAccountDialogs(
      [&](QWidget& account, const OpenPop& openPop) {
        openPop();
        Choose(Child<QComboBox>(account, "CMB_Security"), 2);
        Child<QCheckBox>(account, "CB_AllowPlainAuth")->click();
        Child<QLineEdit>(account, "EDIT_Name")->insert(QStringLiteral("x"));
        auto* fingerprint = Child<QLineEdit>(account, "EDIT_Fingerprint");
        QTest::keyClicks(fingerprint, QStringLiteral("SHA1:AB:CD"));
        Child<QPushButton>(account, "BTN_OK")->click();
        stayedOpen = account.isVisible() && account.focusWidget() == fingerprint &&
                     fingerprint->selectedText() == QStringLiteral("SHA1:AB:CD");
        Child<QPushButton>(account, "BTN_Cancel")->click();
      },
      [&](QWidget& pop) {
        auto* choice = Child<QComboBox>(pop, "CMB_Security");
        EXPECT_EQ(choice->currentText(), QStringLiteral("なし"));
        Child<QCheckBox>(pop, "CB_POP")->click();
        Choose(choice, 2);
        EXPECT_EQ(Child<QLineEdit>(pop, "EDIT_PORT")->text(), QStringLiteral("995"));
        Child<QCheckBox>(pop, "CB_APOP")->click();
        Child<QPushButton>(pop, "BTN_Cancel")->click();
      });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error),
            std::vector<WideString>{TAccountForm::kBadFingerprint});
  EXPECT_EQ(ReadFile(home / "work.ini"), before);
}

}  // namespace
}  // namespace orvane::test
