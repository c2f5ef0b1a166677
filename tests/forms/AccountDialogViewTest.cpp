#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FormsFixture.h"
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

using AccountDialogView = MainWindowTest;

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
  bool seenAccount = false, seenPop = false;
  OnDialog(
      "AccountForm",
      [&](QWidget& account) {
        OnDialog(
            "PopBeforeForm",
            [&](QWidget& pop) {
              EXPECT_EQ(pop.windowTitle(), QStringLiteral("Pop Before Smtp認証"));
              auto* enable = Child<QCheckBox>(pop, "CB_POP");
              auto* group = Child<QGroupBox>(pop, "GB_Account");
              auto* standard = Child<QPushButton>(pop, "BTN_DEFPORT");
              EXPECT_FALSE(enable->isChecked());
              EXPECT_FALSE(group->isEnabled());
              EXPECT_FALSE(standard->isEnabled());
              enable->click();
              EXPECT_TRUE(group->isEnabled());
              QTest::keyClicks(Child<QLineEdit>(pop, "EDIT_POP3"),
                               QStringLiteral("pop.example.jp"));
              QTest::keyClicks(Child<QLineEdit>(pop, "EDIT_PORT"), QStringLiteral("0"));
              EXPECT_TRUE(standard->isEnabled());
              standard->click();
              EXPECT_EQ(Child<QLineEdit>(pop, "EDIT_PORT")->text(), QStringLiteral("110"));
              Child<QCheckBox>(pop, "CB_APOP")->click();
              Child<QPushButton>(pop, "BTN_OK")->click();
            },
            &seenPop);
        Child<QPushButton>(account, "BTN_POP")->click();
        Child<QPushButton>(account, "BTN_Cancel")->click();
      },
      &seenAccount);
  Find<QAction>("ActionAcountSet")->trigger();
  EXPECT_TRUE(seenAccount);
  EXPECT_TRUE(seenPop);
  EXPECT_EQ(ReadFile(home / "NewAccount.ini"),
            "[Account]\r\nPopBeforeSmtp=-1\r\nPOP3=pop.example.jp\r\nPOP3PORT=110\r\nAPOP=-1\r\n");
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

}  // namespace
}  // namespace orvane::test
