#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "FormsFixture.h"
#include "SendWindowDriver.h"
#include "app/SentLog.h"
#include "app/forms/LogFormView.h"
#include "app/forms/SendFormView.h"
#include "gui/QtMainThread.h"
#include "transport/EventLog.h"
#include "transport/TCPThread.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

// The send window through the main window's Send command, with an account
// that reaches no server: each attempt ends at once, without a network.
class SendWindowView : public MainWindowTest {
 protected:
  ~SendWindowView() override { view.reset(); }

  void OpenWith(const std::string& accountLines) {
    WriteFile(home / "work.ini", "[Account]\r\nAddress=me@example.jp\r\n" + accountLines);
    WriteFile(home / "body.txt", "body\n");
    form = std::make_unique<TOrvaneMainForm>(
        MainFormServices{IniFileUnit(home.Path()), clock, shell, clipboard, prompt, install.Path(),
                         std::make_shared<SendClients>(kQuickPause)},
        Arguments{u"orvane", Utf8ToWide((home / "body.txt").native()), u"account=work",
                  u"mailto=a@example.jp"});
    view = std::make_unique<TOrvaneMainFormView>(*form);
    view->Start();
    QApplication::processEvents();
  }
  void PressSend() {
    Find<QPushButton>("BTM_Send")->click();
    QApplication::processEvents();
  }
};

TEST_F(SendWindowView, AFailedDeliveryShowsItsEndAndClosingRecordsIt) {
  OpenWith("");  // no server
  form->SendSucceeded = true;
  SendWindowDriver driver;
  PressSend();
  ASSERT_TRUE(driver.seen.opened);
  EXPECT_EQ(driver.seen.caption, QStringLiteral("送信終了"));
  EXPECT_EQ(driver.seen.status, QStringLiteral("送信に失敗しました (Connect)"));
  EXPECT_EQ(driver.seen.logCaption, QStringLiteral("通信ログ"));
  ASSERT_EQ(driver.seen.log.size(), 3);
  EXPECT_TRUE(driver.seen.log[0].startsWith(QStringLiteral("通信開始... ")));
  EXPECT_EQ(driver.seen.log[1], QStringLiteral("送信に失敗しました (Connect)"));
  EXPECT_EQ(driver.seen.log[2], QStringLiteral("エラー: サーバが設定されていません"));
  EXPECT_EQ(driver.closePresses, 1);
  EXPECT_FALSE(form->SendSucceeded);
  EXPECT_EQ(ReadSentLogEntries(SentLogIndexPath(form->Settings(), "work")).size(), 1u);
  EXPECT_TRUE(fs::exists(home / "SendedLog" / "SLog0.Log"));
}

TEST_F(SendWindowView, AFailedSentLogKeepsTheWindowOpenUntilASecondPressSucceeds) {
  OpenWith("");
  WriteFile(home / "SendedLog", "a file where the folder belongs");
  SendWindowDriver driver;
  driver.beforeClose = [&] {
    if (driver.closePresses == 1) fs::remove(home / "SendedLog");
  };
  PressSend();
  EXPECT_EQ(driver.closePresses, 2);
  ASSERT_EQ(driver.messages.size(), 1);
  EXPECT_TRUE(driver.messages[0].contains(QStringLiteral("SendedLog")))
      << driver.messages[0].toStdString();
  EXPECT_EQ(ReadSentLogEntries(SentLogIndexPath(form->Settings(), "work")).size(), 1u);
  // The log window's geometry is stored with the entry.
  EXPECT_EQ(form->Settings().ReadGeneralInteger("Log", "Width", 0), 380);
}

TEST_F(SendWindowView, APortThatIsNoNumberClosesTheWindowWithoutAnEntry) {
  OpenWith("SMTP=127.0.0.1\r\nSMTPPORT=smtp\r\n");
  SendWindowDriver driver;
  PressSend();
  EXPECT_FALSE(driver.seen.closeEnabled);
  EXPECT_EQ(driver.messages, QStringList{QStringLiteral("'smtp' は有効な整数値ではありません")});
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(fs::exists(home / "SendedLog"));
}

TEST_F(SendWindowView, WhileSendingTheWindowCannotBeClosed) {
  WriteFile(home / "work.ini", "[Account]\r\nSMTP=127.0.0.1\r\nSMTPPORT=1\r\n");
  QtMainThread mainThread;
  SendClients clients{kQuickPause};
  TAccessTokens tokens{clock};
  TSendForm attempt(SendServices{IniFileUnit(home.Path()), clock, mainThread, clients, tokens},
                    SendJob{"work",
                            std::make_shared<const AnsiString>("Subject: x\r\n\r\nbody\r\n"),
                            {"a@example.jp"},
                            {}});
  TSendFormView window(attempt, IniFileUnit(home.Path()));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("送信中..."));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
  auto* close = window.findChild<QPushButton*>(QStringLiteral("Button1"));
  ASSERT_TRUE(close);
  EXPECT_EQ(close->text(), QStringLiteral("閉じる"));
  EXPECT_FALSE(close->isEnabled());
  auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->maximum(), 100);
  window.show();
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  // The log window opens in the bottom-right corner at its stored size.
  const LogWindowGeometry g = window.LogWindow().Geometry();
  EXPECT_EQ(g.width, 380);
  EXPECT_EQ(g.height, 140);
  EXPECT_TRUE(window.LogWindow().isVisible());
  window.hide();
  for (int i = 0; i < 1000 && TTCPThread::LiveWorkers() > 0; ++i) QTest::qWait(10);
  EXPECT_EQ(TTCPThread::LiveWorkers(), 0);
}

// Once the attempt has ended the keyboard closes the window as the close
// button does, and the attempt is recorded.
TEST_F(SendWindowView, AnEndedAttemptClosesFromTheKeyboard) {
  const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
  WriteFile(home / "work.ini", "[Account]\r\nAddress=me@example.jp\r\n");  // no server
  QtMainThread mainThread;
  SendClients clients{kQuickPause};
  TAccessTokens tokens{clock};
  size_t recorded = 0;
  for (Qt::Key key : keys) {
    TSendForm attempt(SendServices{IniFileUnit(home.Path()), clock, mainThread, clients, tokens},
                      SendJob{"work",
                              std::make_shared<const AnsiString>("Subject: x\r\n\r\nbody\r\n"),
                              {"a@example.jp"},
                              {}});
    TSendFormView window(attempt, IniFileUnit(home.Path()));
    window.show();
    auto* close = window.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_TRUE(close);
    for (int i = 0; i < 1000 && !close->isEnabled(); ++i) QTest::qWait(10);
    ASSERT_TRUE(close->isEnabled());
    EXPECT_TRUE(close->isDefault()) << key;
    QTest::keyClick(&window, key);
    EXPECT_FALSE(window.isVisible()) << key;
    EXPECT_EQ(window.result(), QDialog::Accepted) << key;
    EXPECT_EQ(ReadSentLogEntries(SentLogIndexPath(IniFileUnit(home.Path()), "work")).size(),
              ++recorded)
        << key;
  }
  for (int i = 0; i < 1000 && TTCPThread::LiveWorkers() > 0; ++i) QTest::qWait(10);
}

}  // namespace
}  // namespace orvane::test
