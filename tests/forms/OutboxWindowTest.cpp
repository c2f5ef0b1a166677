// The outbox in the main window: the list 送信待ち with its buttons and
// keys, 後で送信 and the count in the status bar.
#include <QAction>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "FormsFixture.h"
#include "SendWindowDriver.h"
#include "app/OutboxQueue.h"
#include "gui/QtText.h"
#include "platform/FileSystem.h"
#include "support/ScriptedServer.h"

namespace orvane::test {
namespace {

class OutboxWindow : public MainWindowTest {
 protected:
  // The account "work" names a server that is not there: a send fails at
  // once and the message waits for its next try.
  void WriteAccount() {
    WriteFile(home / "work.ini",
              "[Account]\r\nName=Taro\r\nAddress=taro@example.jp\r\n"
              "SMTP=127.0.0.1\r\nSMTPPORT=" +
                  std::to_string(UnusedPort()) + "\r\n");
  }
  Outbox Store() const { return ProgramOutbox(IniFileUnit(home.Path())); }
  QAction* MenuItem(const char* name) {
    return view->menuBar()->findChild<QAction*>(QLatin1String(name));
  }
  QLabel* Count() { return Find<QLabel>("OutboxCount"); }
};

const OutboxDraft kDraft{u"花子 <hanako@example.jp>", u"経理 <cc@example.jp>",
                         u"秘密 <bcc@example.jp>", u"見積もりの件", "/tmp/見積.txt"};

TEST_F(OutboxWindow, TheListSendsDeletesAndTakesBackTheSelectedMessage) {
  enum class Press { SendNow, EnterKey, Delete, DeleteKey, TakeBack, None };
  struct Row {
    const char* name;
    bool withDraft;
    Press press;
    std::deque<PromptAnswer> answers;
    std::size_t left;      // messages waiting afterwards
    bool tried;            // the send window ran an attempt of it
    bool takeBackEnabled;  // 下書きに戻す, for the selected message
    bool restored;         // the draft is back in the main window
  } rows[] = {
      {"今すぐ送信", true, Press::SendNow, {}, 1, true, true, false},
      {"Enter", false, Press::EnterKey, {}, 1, true, false, false},
      {"削除 はい", true, Press::Delete, {PromptAnswer::Yes}, 0, false, true, false},
      {"Delete いいえ", false, Press::DeleteKey, {PromptAnswer::No}, 1, false, false, false},
      {"下書きに戻す", true, Press::TakeBack, {}, 0, false, true, true},
      {"送信から来たメール", false, Press::None, {}, 1, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(home / "Outbox");
    WriteAccount();
    Open();
    OutboxMessage message{
        "work", "", {"hanako@example.jp"}, "Subject: =?UTF-8?B?5pel56iL?=\r\n\r\nbody\r\n"};
    if (row.withDraft) message.draft = kDraft;
    Store().Add(message, clock);
    prompt.answers = row.answers;
    prompt.shown.clear();

    SendWindowDriver driver;
    bool takeBackEnabled = false;
    bool listed = false;
    OnNextModal([&](QWidget* modal) {
      listed = true;
      auto* table = modal->findChild<QTableWidget*>(QStringLiteral("LV_Outbox"));
      EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("日程"));
      EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("hanako@example.jp"));
      table->selectRow(0);
      table->setFocus();
      takeBackEnabled = modal->findChild<QPushButton*>(QStringLiteral("BTN_TakeBack"))->isEnabled();
      auto click = [&](const char* name) {
        modal->findChild<QPushButton*>(QLatin1String(name))->click();
      };
      switch (row.press) {
        case Press::SendNow:
          click("BTN_SendNow");
          break;
        case Press::EnterKey:
          QTest::keyClick(table, Qt::Key_Return);
          break;
        case Press::Delete:
          click("BTN_Delete");
          break;
        case Press::DeleteKey:
          QTest::keyClick(table, Qt::Key_Delete);
          break;
        case Press::TakeBack:
          click("BTN_TakeBack");
          break;
        case Press::None:
          break;
      }
      // The list closes with Esc, unless the draft went back and closed it.
      if (modal->isVisible()) QTest::keyClick(modal, Qt::Key_Escape);
    });
    MenuItem("MM_Outbox")->trigger();

    ASSERT_TRUE(listed);
    const std::vector<OutboxRecord> waiting = Store().List();
    EXPECT_EQ(waiting.size(), row.left);
    EXPECT_EQ(driver.seen.opened, row.tried);
    if (row.tried && !waiting.empty()) {
      EXPECT_EQ(waiting[0].attempts, 1);
    }
    EXPECT_EQ(takeBackEnabled, row.takeBackEnabled);
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Question).size(), row.answers.size());
    EXPECT_EQ(form->Draft.Subject == kDraft.subject, row.restored);
    if (row.restored) {
      EXPECT_EQ(form->Draft.ToText, kDraft.to);
      EXPECT_EQ(form->Draft.CcText, kDraft.cc);
      EXPECT_EQ(form->Draft.BccText, kDraft.bcc);
      EXPECT_EQ(form->Draft.BodyFileName, kDraft.bodyFile);
      EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(), ToQString(kDraft.to));
      EXPECT_EQ(Find<QLineEdit>("EDIT_Subject")->text(), ToQString(kDraft.subject));
    }
    EXPECT_EQ(Count()->isVisible(), row.left > 0);
  }
}

TEST_F(OutboxWindow, SendLaterRefusesAPastTimeAndQueuesTheDraftUntilTheTimeChosen) {
  Open({"mailto=hanako@example.jp", "subject=日程"});
  EXPECT_FALSE(Count()->isVisible());
  const QDateTime chosen = QDateTime::currentDateTime().addSecs(3 * 3600);
  SendWindowDriver driver;
  QStringList refusals;
  OnNextModal([&](QWidget* dialog) {
    auto* edit = dialog->findChild<QDateTimeEdit*>(QStringLiteral("DTP_SendAt"));
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("BTN_OK"));
    edit->setDateTime(QDateTime::currentDateTime().addSecs(-60));
    ok->click();
    for (const WideString& text : prompt.Texts(ScriptedPrompt::Shown::Error))
      refusals << ToQString(text);
    EXPECT_TRUE(dialog->isVisible());
    edit->setDateTime(chosen);
    ok->click();
  });
  MenuItem("MM_SendLater")->trigger();

  EXPECT_EQ(refusals.size(), 1);
  EXPECT_FALSE(driver.seen.opened);
  const std::vector<OutboxRecord> waiting = Store().List();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].attempts, 0);
  EXPECT_EQ(
      std::chrono::duration_cast<std::chrono::seconds>(waiting[0].notBefore.time_since_epoch())
          .count(),
      chosen.toSecsSinceEpoch() / 60 * 60);
  ASSERT_TRUE(waiting[0].draft);
  EXPECT_EQ(waiting[0].draft->to, u"hanako@example.jp");
  EXPECT_EQ(waiting[0].draft->subject, u"日程");
  EXPECT_EQ(Count()->text(), QStringLiteral("送信待ち 1 通"));
  EXPECT_TRUE(
      Find<QLabel>("Panel0")->text().startsWith(QStringLiteral("送信待ちに入れました (送信: ")))
      << Find<QLabel>("Panel0")->text().toStdString();
}

TEST_F(OutboxWindow, ClosingWithMessagesWaitingSaysSoOnceAndStillCloses) {
  Open();
  Store().Add({"work", "", {"hanako@example.jp"}, "Subject: a\r\n\r\nbody\r\n"}, clock);
  view->close();
  view->close();
  for (int i = 0; i < 100 && view->isVisible(); ++i) QApplication::processEvents();
  EXPECT_FALSE(view->isVisible());
  const auto notes = prompt.Texts(ScriptedPrompt::Shown::Information);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_TRUE(notes[0].starts_with(u"送信待ちのメールが 1 通あります")) << WideToUtf8(notes[0]);
}

}  // namespace
}  // namespace orvane::test
