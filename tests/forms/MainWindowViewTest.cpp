#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "FormsFixture.h"
#include "gui/QtText.h"
#include "settings/IniFileUnit.h"

namespace orvane::test {
namespace {

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions())
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text().section('\t', 0, 0));
  return texts;
}

// What the toolbar shows, left to right: "|" for a separator, the bound
// action's name for a button, "()" for a button bound to nothing.
QStringList ToolBarItems(QToolBar* toolBar) {
  QStringList items;
  for (QAction* action : toolBar->actions()) {
    if (action->isSeparator()) {
      items << QStringLiteral("|");
      continue;
    }
    auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action));
    if (!button) continue;
    items << (button->defaultAction() ? button->defaultAction()->objectName()
                                      : QStringLiteral("()"));
  }
  return items;
}

// Answers the next message box and returns what it said.
struct MessageBoxWatch {
  MessageBoxWatch() {
    QTimer::singleShot(0, [this] { Answer(); });
  }
  void Answer() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      box->accept();
    } else if (++tries < 100) {
      QTimer::singleShot(10, [this] { Answer(); });
    }
  }
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int tries = 0;
};

using MainWindowView = MainWindowTest;

TEST_F(MainWindowView, ShowsTheDocumentedCaptionsAndHints) {
  Open({"mailto=hanako@example.jp", "subject=日程"});
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Orvane -  <> [NewAccount]"));
  EXPECT_TRUE(view->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(view->windowIcon().isNull());
  // The documented width is the least; the font may ask for more.
  EXPECT_GE(view->width(), 477);
  EXPECT_EQ(view->minimumSize(), view->maximumSize());

  struct Control {
    const char* name;
    QString text;
    QString hint;
  } controls[] = {
      {"SB_To", "To", "送信先切り替え"},
      {"Button1", "...", "本文ファイルの指定"},
      {"BTN_InputToAddress", "...", "アドレス帳から入力する"},
      {"BTM_Send", "送信", "送信します"},
      {"BTM_Cancel", "キャンセル", "終了します"},
  };
  for (const auto& c : controls) {
    auto* button = Find<QAbstractButton>(c.name);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), c.text) << c.name;
    EXPECT_EQ(button->statusTip(), c.hint) << c.name;
  }
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->statusTip(), QStringLiteral("送信先"));
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(), QStringLiteral("hanako@example.jp"));
  EXPECT_EQ(Find<QLineEdit>("EDIT_Subject")->statusTip(), QStringLiteral("件名"));
  EXPECT_EQ(Find<QLineEdit>("EDIT_Subject")->text(), QStringLiteral("日程"));
  EXPECT_EQ(Find<QGroupBox>("GroupSend")->title(), QStringLiteral("送信先"));
  EXPECT_EQ(Find<QGroupBox>("GroupSubject")->title(), QStringLiteral("件名"));

  const int widths[] = {250, 30, 30, 30, 30, 30, 50};
  for (int i = 0; i < 7; ++i)
    EXPECT_GE(Find<QLabel>(qPrintable(QStringLiteral("Panel%1").arg(i)))->width(), widths[i]);
  EXPECT_EQ(Find<QLabel>("Panel6")->text().count(':'), 2);

  // A hint shown goes to the first panel.
  QStatusTipEvent tip(QStringLiteral("件名"));
  QApplication::sendEvent(view.get(), &tip);
  EXPECT_EQ(Find<QLabel>("Panel0")->text(), QStringLiteral("件名"));
  EXPECT_TRUE(Find<QLabel>("Panel0")->toolTip().isEmpty());
  // One cut to the panel's width is there in full as its tooltip.
  const QString longHint = QStringLiteral("mailto: の項目を無視しました: ").repeated(4);
  QStatusTipEvent longTip(longHint);
  QApplication::sendEvent(view.get(), &longTip);
  EXPECT_NE(Find<QLabel>("Panel0")->text(), longHint);
  EXPECT_EQ(Find<QLabel>("Panel0")->toolTip(), longHint);
}

TEST_F(MainWindowView, ToolBarFollowsTheSettings) {
  Open();
  auto* toolBar = Find<QToolBar>("TB");
  EXPECT_EQ(ToolBarItems(toolBar),
            QStringList({"ActionAcountSet", "|", "ActionAddressBook", "|", "ActionAttachSet",
                         "ActionSignSet", "ActionXHeaderSet", "|", "ActionVersion",
                         "ActionHelpContents"}));

  IniFileUnit settings(home.Path());
  settings.WriteGeneralInteger("ToolBar", "ItemCount", 4);
  settings.WriteGeneralInteger("ToolBar", "Item1", 21);
  settings.WriteGeneralInteger("ToolBar", "Item2", 0);
  settings.WriteGeneralInteger("ToolBar", "Item3", 15);
  settings.WriteGeneralInteger("ToolBar", "Item4", 30);
  form->BuildToolBar();
  EXPECT_EQ(ToolBarItems(toolBar), QStringList({"ActionExit", "|", "ActionHelpContents", "()"}));
  auto* exitButton = qobject_cast<QToolButton*>(toolBar->widgetForAction(toolBar->actions()[0]));
  EXPECT_FALSE(exitButton->icon().isNull());

  settings.WriteGeneralInteger("ToolBar", "ItemCount", 0);
  form->BuildToolBar();
  EXPECT_TRUE(toolBar->actions().isEmpty());
}

TEST_F(MainWindowView, MenusHoldTheDocumentedEntriesInOrder) {
  Open();
  QStringList titles;
  for (QAction* action : view->menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, QStringList({"ｱｶｳﾝﾄ (&A)", "ｱﾄﾞﾚｽ帳 (&B)", "添付 (&T)", "送信 (&S)",
                                 "設定 (&C)", "ヘルプ (&H)"}));

  EXPECT_EQ(
      Texts(Find<QMenu>("A1")),
      QStringList({"アカウント (&A)", "-", "アカウントの設定 (&S)...", "アカウントの追加 (&U)...",
                   "アカウント名変更 (&M)...", "-", "アカウント削除 (&D)"}));
  EXPECT_EQ(Texts(Find<QMenu>("MM_address")),
            QStringList({"アドレス帳編集 (&E)...", "アドレス帳から入力 (&I)..."}));
  EXPECT_EQ(
      Texts(Find<QMenu>("T1")),
      QStringList({"添付ファイル指定 (&C)...", "署名の設定 (&S)...", "拡張ヘッダの設定 (&X)...",
                   "テンプレート (&T)...", "-", "ReplyTo (&R)...", "InReplyTo (&I)...", "-",
                   "優先度 (&P)", "開封メッセージを要求する (&N)"}));
  EXPECT_EQ(Texts(Find<QMenu>("P1")),
            QStringList({"最高 (&1)", "高 (&2)", "普通 (&3)", "低 (&4)", "最低 (&5)"}));
  EXPECT_EQ(Texts(Find<QMenu>("MM_Send")), QStringList({"後で送信 (&L)...", "送信待ち (&O)..."}));
  EXPECT_EQ(Texts(Find<QMenu>("MM_config")),
            QStringList({"エンコード設定 (&C)...", "ツールバー設定 (&T)...", "警告の設定 (&P)...",
                         "誤送信防止 (&G)...", "-", "自分にも送信 (&B)", "オプション設定 (&O)...",
                         "ファイル作成 (&M)", "既定のメールソフトにする", "-", "終了 (&X)"}));
  EXPECT_EQ(Texts(Find<QMenu>("MM_Help")),
            QStringList({"ヘルプ (&H)...", "Readme.txt (&R)...", "-", "送信ログを開く (&L)...", "-",
                         "バージョン情報 (&V)..."}));
  EXPECT_EQ(Find<QMenu>("MM_config")->menuAction()->statusTip(), QStringLiteral("各種設定します"));
  EXPECT_EQ(Find<QMenu>("A1")->actions()[2]->statusTip(), QStringLiteral("アカウントの設定"));
  EXPECT_EQ(Find<QAction>("L1")->statusTip(), QStringLiteral("送信ログを開らきます"));

  // Normal priority at start; ticking one unticks the others.
  EXPECT_TRUE(Find<QAction>("N31")->isChecked());
  Find<QAction>("N11")->trigger();
  EXPECT_TRUE(Find<QAction>("N11")->isChecked());
  EXPECT_FALSE(Find<QAction>("N31")->isChecked());
  EXPECT_EQ(form->Draft.Priority, PriorityItem::Highest);
}

TEST_F(MainWindowView, DefaultMailerEntryOnlyWhereTheDesktopTableCanBeChanged) {
  for (bool available : {false, true}) {
    desktopMime->available = available;
    Open();
    EXPECT_EQ(Find<QAction>(kDefaultMailerItem)->isVisible(), available);
  }
  Find<QAction>(kDefaultMailerItem)->trigger();
  EXPECT_EQ(desktopMime->Default("x-scheme-handler/mailto"), "orvane.desktop");
}

TEST_F(MainWindowView, PopupsHoldTheEditCommands) {
  Open();
  const QStringList edit{"切り取り (&X)",   "コピー (&C)",    "貼り付け (&V)", "-",
                         "すべて選択 (&A)", "すべて消去 (&D)"};
  EXPECT_EQ(Texts(Find<QMenu>("PM_Edit_To")), edit + QStringList({"-", "お気に入り (&F)"}));
  EXPECT_EQ(Texts(Find<QMenu>("PM_Subject")), edit);
  EXPECT_EQ(Texts(Find<QMenu>("PM_Send")), QStringList({"To: (&T)", "Cc: (&C)", "Bcc: (&B)"}));
}

TEST_F(MainWindowView, AddressFieldFollowsTheToButton) {
  Open();
  auto* toButton = Find<QToolButton>("SB_To");
  auto* field = Find<QLineEdit>("EDIT_To");
  QTest::keyClicks(field, "to@example.jp");
  EXPECT_EQ(WideToUtf8(form->Draft.ToText), "to@example.jp");

  toButton->click();
  toButton->click();
  EXPECT_EQ(toButton->text(), QStringLiteral("BCC"));
  EXPECT_TRUE(field->text().isEmpty());
  QTest::keyClicks(field, "b");
  EXPECT_EQ(Find<QLabel>("Panel2")->text(), QStringLiteral("BCC"));
  QTest::keyClick(field, Qt::Key_Backspace);
  EXPECT_TRUE(Find<QLabel>("Panel2")->text().isEmpty());
  toButton->click();
  EXPECT_EQ(toButton->text(), QStringLiteral("To"));
  EXPECT_EQ(field->text(), QStringLiteral("to@example.jp"));

  Find<QMenu>("PM_Send")->actions()[1]->trigger();
  EXPECT_EQ(toButton->text(), QStringLiteral("Cc"));
  QTest::keyClicks(field, "cc@example.jp");
  // "すべて消去" of the address field's popup.
  Find<QMenu>("PM_Edit_To")->actions()[5]->trigger();
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_TRUE(form->Draft.CcText.empty());
  EXPECT_EQ(WideToUtf8(form->Draft.ToText), "to@example.jp");

  // Copy from the subject field through the clipboard seam.
  auto* subject = Find<QLineEdit>("EDIT_Subject");
  QTest::keyClicks(subject, "hello");
  Find<QMenu>("PM_Subject")->actions()[4]->trigger();  // select all
  EXPECT_EQ(subject->selectedText(), QStringLiteral("hello"));
  Find<QMenu>("PM_Subject")->actions()[1]->trigger();  // copy
  EXPECT_EQ(WideToUtf8(clipboard.text), "hello");
}

TEST_F(MainWindowView, AccountListIsMadeWhenTheMenuOpens) {
  WriteFile(home / "home.ini", "[Account]\r\nName=Taro\r\nAddress=t@example.jp\r\n");
  Open();
  auto* list = Find<QMenu>("AccountList");
  WriteFile(home / "R&D.ini", "[Account]\r\nName=Lab\r\nAddress=lab@example.jp\r\n");
  emit Find<QMenu>("A1")->aboutToShow();
  ASSERT_EQ(Texts(list), QStringList({"R&&D", "home"}));
  list->actions()[0]->trigger();
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Orvane - Lab <lab@example.jp> [R&D]"));
  emit Find<QMenu>("A1")->aboutToShow();
  EXPECT_EQ(list->actions().size(), 2);
}

TEST_F(MainWindowView, HelpOpensTopicOneOrSaysTheBookIsMissing) {
  Open();
  {
    MessageBoxWatch watch;
    Find<QAction>("ActionHelpContents")->trigger();
    EXPECT_EQ(watch.caption, QStringLiteral("Orvane"));
    EXPECT_EQ(watch.text, QStringLiteral("ヘルプファイルが見つかりません"));
    EXPECT_EQ(watch.icon, QMessageBox::Critical);
  }
  WriteFile(install / "Orvane.hlp" / "index.html",
            "<html><body><a name=\"1\"></a><p>topic one</p></body></html>");
  Find<QAction>("ActionHelpContents")->trigger();
  auto* browser = Find<QTextBrowser>("HelpWindow");
  ASSERT_TRUE(browser);
  EXPECT_TRUE(browser->isVisible());
  EXPECT_EQ(browser->source().fragment(), QStringLiteral("1"));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("topic one")));
}

TEST_F(MainWindowView, AStartUpErrorIsShownOnceTheWindowIsUp) {
  MessageBoxWatch watch;
  Open({"+o"});
  for (int i = 0; i < 50 && watch.text.isEmpty(); ++i) QTest::qWait(10);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(watch.caption, QStringLiteral("Orvane"));
  EXPECT_TRUE(watch.text.contains(QStringLiteral("作成できません"))) << watch.text.toStdString();
}

TEST_F(MainWindowView, ClosingStoresThePosition) {
  Open();
  view->move(40, 50);
  WriteFile(home / "AttachFiles" / "a.pdf", "x");
  Find<QPushButton>("BTM_Cancel")->click();
  QApplication::processEvents();
  EXPECT_FALSE(view->isVisible());
  IniFileUnit settings(home.Path());
  EXPECT_EQ(settings.ReadGeneralInteger("Window", "Left", 0), 40);
  EXPECT_EQ(settings.ReadGeneralInteger("Window", "Top", 0), 50);
  EXPECT_FALSE(std::filesystem::exists(home / "AttachFiles" / "a.pdf"));
}

TEST_F(MainWindowView, VersionDialogPutsTheMakerIntoTheAddressField) {
  Open();
  QString title, version;
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_TRUE(dialog);
    sawDialog = true;
    title = dialog->windowTitle();
    version = dialog->findChild<QWidget*>(QStringLiteral("Version"))->accessibleName();
    auto* mail = dialog->findChild<QLabel*>(QStringLiteral("MailAddress"));
    ASSERT_TRUE(mail);
    QTest::mouseDClick(mail, Qt::LeftButton);
  });
  Find<QAction>("ActionVersion")->trigger();
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(title, QStringLiteral("バージョン情報"));
  EXPECT_EQ(version, QStringLiteral("Version 3.2.6"));
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(),
            QStringLiteral("Orvane Project<orvane@example.org>"));
  EXPECT_EQ(WideToUtf8(form->Draft.ToText), "Orvane Project<orvane@example.org>");
}

TEST_F(MainWindowView, AnimationsEndWithTheWindowAtItsFixedSizeAndThenClosed) {
  TOrvaneMainFormView::SetAnimationsEnabled(true);
  Open();
  EXPECT_LT(view->width(), 477);  // growing from the centre
  for (int i = 0; i < 200 && view->minimumSize() != view->maximumSize(); ++i) QTest::qWait(10);
  EXPECT_GE(view->width(), 477);
  EXPECT_EQ(view->minimumSize(), view->maximumSize());

  view->close();
  EXPECT_TRUE(view->isVisible());  // shrinking to the centre
  for (int i = 0; i < 200 && view->isVisible(); ++i) QTest::qWait(10);
  EXPECT_FALSE(view->isVisible());
  TOrvaneMainFormView::SetAnimationsEnabled(false);
}

}  // namespace
}  // namespace orvane::test
