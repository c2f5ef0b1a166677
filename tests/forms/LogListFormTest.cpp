#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "FormsFixture.h"
#include "app/forms/LogListForm.h"
#include "gui/QtText.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

class LogListForm : public ::testing::Test {
 protected:
  LogListForm() { TestApplication(); }

  fs::path Folder() const { return home / "SendedLog"; }

  std::unique_ptr<TFmLogList> Open(QWidget* owner = nullptr) {
    list = std::make_unique<SentLogList>(IniFileUnit(home.Path()), shell, prompt);
    return std::make_unique<TFmLogList>(owner, *list, [](QWidget* owner, int topic) {
      ShowHelpTopic(owner, fs::path(ORVANE_SOURCE_DIR) / "resources/Orvane.hlp/index.html", topic);
    });
  }

  template <typename T>
  static T* Find(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  static void Click(QListWidget* accounts, int row) {
    QListWidgetItem* item = accounts->item(row);
    QTest::mouseClick(accounts->viewport(), Qt::LeftButton, {},
                      accounts->visualItemRect(item).center());
  }

  static QStringList RowTexts(QTableWidget* table, int row) {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
      texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
  }

  TempFolder home;
  RecordingShell shell;
  ScriptedPrompt prompt;
  std::unique_ptr<SentLogList> list;
};

// The main window usually sits in the top-left corner; the viewer opens in
// the middle of the screen, not over it.
TEST_F(LogListForm, OpensCentredOnTheScreen) {
  const QRect owners[] = {{0, 0, 477, 190}, {600, 400, 477, 190}};
  for (const QRect& place : owners) {
    QWidget owner;
    owner.setGeometry(place);
    owner.show();
    auto dialog = Open(&owner);
    dialog->show();
    QApplication::processEvents();
    const QPoint middle = dialog->screen()->availableGeometry().center();
    EXPECT_LE((dialog->frameGeometry().center() - middle).manhattanLength(), 2)
        << place.x() << "," << place.y();
  }
}

TEST_F(LogListForm, ACountBeyondTheEntriesShowsRowsOfDashes) {
  WriteFile(Folder() / "home.dat",
            "[Count]\r\nCount=5\r\n[String]\r\nDateTime1=2003/01/05 12:34\r\nTo1=a@example.jp\r\n"
            "Subject1=s1\r\nFileName1=SLog0.Log\r\nDateTime2=2003/01/06 08:00\r\n"
            "To2=b@example.jp\r\nSubject2=s2\r\nFileName2=SLog1.log\r\n");
  auto dialog = Open();
  dialog->show();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("送信ログ"));
  auto* table = Find<QTableWidget>(dialog.get(), "LV_Log");
  ASSERT_TRUE(table);
  QStringList headers;
  for (int column = 0; column < table->columnCount(); ++column) {
    headers << table->horizontalHeaderItem(column)->text();
    EXPECT_GE(table->columnWidth(column), 100);
  }
  EXPECT_EQ(headers, QStringList({"送信時刻", "送信先", "件名", "ログファイル名"}));
  EXPECT_EQ(table->rowCount(), 0);

  Click(Find<QListWidget>(dialog.get(), "LB_Account"), 0);
  ASSERT_EQ(table->rowCount(), 5);
  EXPECT_EQ(RowTexts(table, 0),
            QStringList({"2003/01/05 12:34", "a@example.jp", "s1", "SLog0.Log"}));
  EXPECT_EQ(RowTexts(table, 1),
            QStringList({"2003/01/06 08:00", "b@example.jp", "s2", "SLog1.log"}));
  for (int row = 2; row < 5; ++row)
    EXPECT_EQ(RowTexts(table, row), QStringList({"---", "---", "---", "---"})) << row;
}

TEST_F(LogListForm, ShowOpensTheSelectedLogAndHelpOpensTopic30) {
  WriteFile(Folder() / "home.dat", "[Count]\r\nCount=1\r\n[String]\r\nFileName1=SLog0.Log\r\n");
  WriteFile(Folder() / "SLog0.Log", "log");
  auto dialog = Open();
  dialog->show();
  auto* show = Find<QPushButton>(dialog.get(), "BTN_Show");
  ASSERT_TRUE(show);
  EXPECT_TRUE(show->isDefault());
  show->click();  // no row selected yet
  EXPECT_TRUE(shell.openedFiles.empty());

  Click(Find<QListWidget>(dialog.get(), "LB_Account"), 0);
  Find<QTableWidget>(dialog.get(), "LV_Log")->selectRow(0);
  show->click();
  EXPECT_EQ(shell.openedFiles, std::vector<fs::path>{Folder() / "SLog0.Log"});
  EXPECT_TRUE(prompt.shown.empty());

  Find<QPushButton>(dialog.get(), "BTN_Help")->click();
  auto* help = dialog->findChild<QTextBrowser*>(QStringLiteral("HelpWindow"));
  ASSERT_TRUE(help);
  EXPECT_EQ(help->source().fragment(), QStringLiteral("30"));
  EXPECT_NE(help->toHtml().indexOf(QStringLiteral("送信ログ")), -1);

  Find<QPushButton>(dialog.get(), "BTN_OK")->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->isVisible());
}

using SentLogMenu = MainWindowTest;

TEST_F(SentLogMenu, TheHelpMenuOpensTheViewerOverAFolderItMakes) {
  Open();
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->objectName() == QStringLiteral("FmLogList")) {
      title = dialog->windowTitle();
      dialog->reject();
    }
  });
  Find<QAction>("L1")->trigger();
  EXPECT_EQ(title, QStringLiteral("送信ログ"));
  EXPECT_TRUE(fs::is_directory(home / "SendedLog"));
}

}  // namespace
}  // namespace orvane::test
