#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "FormsFixture.h"
#include "checks/forms/WarningFormView.h"
#include "checks/forms/WarningSetFormView.h"
#include "gui/HelpWindow.h"
#include "gui/QtText.h"
#include "settings/IniFileUnit.h"

namespace orvane::test {
namespace {

const std::vector<WideString> kCautionWarningInformation = {
    u"[注意01] Ccアドレスが指定されています",
    u"[警告08] 添付ファイルは警戒されやすい形式です setup.exe",
    u"[情報01] アカウント: home",
};

// Runs `act` on the modal dialog as soon as it is up.
void OnModalDialog(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

// Whether the row shows a pixel of exactly this colour.
bool RowShows(QListWidget* list, int row, QColor colour) {
  const QImage image = list->viewport()->grab().toImage();
  const QRect rect = list->visualItemRect(list->item(row));
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

class WarningDialogView : public MainWindowTest {
 protected:
  WarningDialogView() { WriteFile(help, "<html><body><a name=\"108\"></a></body></html>"); }
  // What the main window hands its dialogs, over the test's program folder.
  DialogContext Context() {
    return DialogContext{nullptr,
                         settings,
                         prompt,
                         clock,
                         [this](QWidget* owner, int topic) { ShowHelpTopic(owner, help, topic); },
                         "home"};
  }
  const std::filesystem::path help = install / "Orvane.hlp" / "index.html";
  IniFileUnit settings{home.Path()};
};

TEST_F(WarningDialogView, ShowsWarningsThenInformationThenCautionsInTheirColours) {
  TWarningFormView dialog(Context(), TWarningForm(kCautionWarningInformation));
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("警告 / 注意"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LB"));
  ASSERT_TRUE(list);
  EXPECT_EQ(Rows(list),
            (QStringList{QStringLiteral("[警告08] 添付ファイルは警戒されやすい形式です setup.exe"),
                         QStringLiteral("[情報01] アカウント: home"),
                         QStringLiteral("[注意01] Ccアドレスが指定されています")}));
  const QColor red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);
  struct Row {
    int row;
    QColor shown, notShown;
  } rows[] = {{0, red, blue}, {1, blue, red}, {2, black, red}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.row);
    EXPECT_TRUE(RowShows(list, row.row, row.shown));
    EXPECT_FALSE(RowShows(list, row.row, row.notShown));
    const int height = list->visualItemRect(list->item(row.row)).height();
    EXPECT_GE(height, 14);
    EXPECT_GE(height, list->fontMetrics().height());
  }
  // The whole of every line is visible.
  EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0));
  list->setCurrentRow(0);
  EXPECT_TRUE(RowShows(list, 0, red)) << "a selected line keeps its colour";

  auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_TRUE(label);
  EXPECT_EQ(label->text(), QStringLiteral("ダブルクリックで警告/注意の詳細を表示"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
            QStringLiteral("続行"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->text(),
            QStringLiteral("中止"));
}

// The list spans the dialog as the row of buttons below it does, whether
// its lines are short or long.
TEST_F(WarningDialogView, TheListIsAsWideAsTheButtonRow) {
  const std::vector<std::vector<WideString>> cases = {
      {u"[警告04] Reply-Toフィールドが設定されています"},
      kCautionWarningInformation,
      {u"[注意09] 携帯アドレスです 山田 <yamada.taro.very.long.address@docomo.ne.jp>, "
       u"鈴木 <suzuki.hanako.very.long.address@docomo.ne.jp>"}};
  for (const auto& lines : cases) {
    TWarningFormView dialog(Context(), TWarningForm(lines));
    dialog.show();
    QApplication::processEvents();
    const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LB"));
    const auto* stop = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    ASSERT_TRUE(list && stop);
    EXPECT_EQ(list->geometry().right(), stop->geometry().right()) << lines.size();
  }
}

// A desktop whose last display went away has no screen to measure: ctest
// runs this on the offscreen platform configured without screens.
TEST_F(WarningDialogView, IsMadeWithoutAScreen) {
  if (QGuiApplication::primaryScreen()) GTEST_SKIP() << "run by ctest without a screen";
  TWarningFormView dialog(Context(), TWarningForm(kCautionWarningInformation));
  const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LB"));
  ASSERT_TRUE(list);
  EXPECT_EQ(list->count(), 3);
}

TEST_F(WarningDialogView, EnterAndTheCloseBoxGoOnEscAndStopStop) {
  struct Row {
    const char* name;
    std::function<void(TWarningFormView&)> close;
    TWarningChoice choice;
  } rows[] = {
      {"Enter", [](auto& d) { QTest::keyClick(&d, Qt::Key_Return); }, TWarningChoice::GoOn},
      {"続行", [](auto& d) { d.template findChild<QPushButton*>("Button1")->click(); },
       TWarningChoice::GoOn},
      {"close box", [](auto& d) { d.close(); }, TWarningChoice::GoOn},
      {"Esc", [](auto& d) { QTest::keyClick(&d, Qt::Key_Escape); }, TWarningChoice::Stop},
      {"中止", [](auto& d) { d.template findChild<QPushButton*>("Button2")->click(); },
       TWarningChoice::Stop},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TWarningFormView dialog(Context(), TWarningForm(kCautionWarningInformation));
    OnModalDialog([&](QWidget* shown) {
      ASSERT_EQ(shown, &dialog);
      row.close(dialog);
    });
    dialog.exec();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Choice(), row.choice);
  }
}

TEST_F(WarningDialogView, DoubleClickOpensTheHelpTopicOfTheLine) {
  TWarningFormView dialog(Context(), TWarningForm(kCautionWarningInformation));
  dialog.show();
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LB"));
  emit list->itemDoubleClicked(nullptr);
  EXPECT_FALSE(dialog.findChild<QTextBrowser*>(QStringLiteral("HelpWindow")))
      << "nothing opens while no line is selected";

  const QPoint centre = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  auto* browser = dialog.findChild<QTextBrowser*>(QStringLiteral("HelpWindow"));
  ASSERT_TRUE(browser);
  EXPECT_EQ(browser->source().fragment(), QStringLiteral("108"));
}

TEST_F(WarningDialogView, TheMainWindowShowsTheDialogWhenTheChecksFindSomething) {
  Open({"mailto=hanako@example.jp"});
  EXPECT_TRUE(form->FileMake()) << "every rule is off";

  settings.Write(keys::kWarnPriority, true);
  form->SetPriority(PriorityItem::Highest);
  QStringList shown;
  OnModalDialog([&](QWidget* dialog) {
    ASSERT_TRUE(dialog);
    shown = Rows(dialog->findChild<QListWidget*>(QStringLiteral("LB")));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(form->FileMake());
  EXPECT_EQ(shown, QStringList{QStringLiteral("[注意10] 優先度が設定されています ")});
}

class WarningSettingsView : public WarningDialogView {
 protected:
  void Write(const std::string& text) const { WriteFile(home / "orvane.ini", text); }
  std::string Read() const { return ReadFile(home / "orvane.ini"); }
};

TEST_F(WarningSettingsView, ShowsOneRowPerRuleTickedFromTheFile) {
  Write("[Warning]\r\nTO=1\r\nDependChar=1\r\nBeforeSmtp=1\r\nSizeLimit=0\r\n");
  TWarningSetFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("警告設定"));
  auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  ASSERT_TRUE(pages);
  EXPECT_EQ(pages->count(), 3);
  struct Tab {
    const char* list;
    QString caption;
    int rows;
    QString first, last;
    int ticked;
  } tabs[] = {
      {"CLB", QStringLiteral("警告"), 13, QStringLiteral("To アドレスが未設定"),
       QStringLiteral("メールがサーバーの上限より大きい"), 0},
      {"CLB2", QStringLiteral("注意"), 12, QStringLiteral("Cc アドレスがある"),
       QStringLiteral("機種依存文字が含まれている"), 11},
      {"CLB3", QStringLiteral("情報"), 3, QStringLiteral("使用するアカウント"),
       QStringLiteral("Pop Before Smtp 認証を試みます"), 2},
  };
  for (int i = 0; i < 3; ++i) {
    const Tab& tab = tabs[i];
    SCOPED_TRACE(tab.list);
    EXPECT_EQ(pages->tabText(i), tab.caption);
    auto* list = dialog.findChild<QListWidget*>(QLatin1String(tab.list));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), tab.rows);
    EXPECT_EQ(list->item(0)->text(), tab.first);
    EXPECT_EQ(list->item(tab.rows - 1)->text(), tab.last);
    for (int row = 0; row < tab.rows; ++row)
      EXPECT_EQ(list->item(row)->checkState() == Qt::Checked, row == tab.ticked) << row;
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    const QRect last = list->visualItemRect(list->item(tab.rows - 1));
    EXPECT_LE(last.bottom(), list->viewport()->height()) << "every row shows without scrolling";
    EXPECT_LE(list->sizeHintForColumn(0), list->viewport()->width()) << "every caption shows whole";
  }
}

TEST_F(WarningSettingsView, CancelAndEscWriteNothingOkWritesTheTicks) {
  const std::string before = "; hand-made\r\n[Warning]\r\nCC=1\r\n";
  struct Row {
    const char* name;
    std::function<void(QDialog&)> close;
    bool written;
  } rows[] = {
      {"キャンセル", [](QDialog& d) { d.findChild<QPushButton*>("CancelBtn")->click(); }, false},
      {"Esc", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
      {"close box", [](QDialog& d) { d.close(); }, false},
      {"OK", [](QDialog& d) { d.findChild<QPushButton*>("OKBtn")->click(); }, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Write(before);
    TWarningSetFormView dialog(Context());
    OnModalDialog([&](QWidget* shown) {
      ASSERT_EQ(shown, &dialog);
      auto* list = dialog.findChild<QListWidget*>(QStringLiteral("CLB2"));
      list->item(0)->setCheckState(Qt::Unchecked);  // CC
      list->item(3)->setCheckState(Qt::Checked);    // Send
      row.close(dialog);
    });
    dialog.exec();
    if (!row.written) {
      EXPECT_EQ(Read(), before);
      continue;
    }
    EXPECT_FALSE(settings.Read(keys::kWarnCc));
    EXPECT_TRUE(settings.Read(keys::kWarnSend));
    EXPECT_EQ(ProfileText(Read()).SectionKeys("Warning").size(), kWarningRuleCount);
  }
}

TEST_F(WarningSettingsView, TheActionOpensTheDialog) {
  Open();
  QString title;
  OnModalDialog([&](QWidget* dialog) {
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    dialog->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
  });
  Find<QAction>("ActionWarning")->trigger();
  EXPECT_EQ(title, QStringLiteral("警告設定"));
}

}  // namespace
}  // namespace orvane::test
