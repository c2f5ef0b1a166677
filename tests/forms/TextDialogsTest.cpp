// The signature, template and extended header dialogs on screen.

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "FormsFixture.h"
#include "extras/forms/SigForm.h"
#include "extras/forms/XHForm.h"
#include "gui/TextEditor.h"
#include "platform/CodePage.h"
#include "settings/ProfileBlock.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

using Shown = ScriptedPrompt::Shown;

class TextDialog : public DialogTest {
 protected:
  TextDialog() { clock.Set(JapanNoon()); }
  void Given(const std::string& utf8) {
    WriteFile(home / "home.ini", WideToSjis(Utf8ToWide(utf8)));
  }
  std::string Stored(const char* section, const char* key) const {
    return WideToUtf8(
        SjisToWide(settings.AccountFile("home").Load().Find(section, key).value_or("-")));
  }
  ScopedTimeZone japan{"Asia/Tokyo"};
};

TEST_F(TextDialog, SignatureEditorPreviewAndStatus) {
  Given(
      "[Account]\r\nName=山田\r\n[Signature]\r\nDateTime1=yyyy\r\nLineCount=2\r\n"
      "Line1=\"  %name%\"\r\nLine2=\"%datetime1%\"\r\n");
  TSigFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("署名の編集"));
  auto* editor = Find<TextEditor>(&dialog, "Memo");
  auto* preview = Find<QPlainTextEdit>(&dialog, "Preview");
  auto* previewButton = Find<QToolButton>(&dialog, "ToolButton1");
  auto* caret = Find<QLabel>(&dialog, "Panel1");
  auto* size = Find<QLabel>(&dialog, "Panel2");
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("  %name%\n%datetime1%"));
  EXPECT_FALSE(editor->document()->isModified());
  EXPECT_EQ(Find<QStackedWidget>(&dialog, "")->currentWidget(), editor);
  EXPECT_EQ(caret->text(), QStringLiteral("1 : 1"));
  EXPECT_EQ(previewButton->statusTip(), QStringLiteral("プレビュー"));

  editor->moveCursor(QTextCursor::Down);
  editor->moveCursor(QTextCursor::EndOfLine);
  EXPECT_EQ(caret->text(), QStringLiteral("2 : 12"));

  previewButton->click();
  EXPECT_TRUE(preview->isVisible());
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(preview->toPlainText(), QStringLiteral("  山田\n2003"));
  EXPECT_TRUE(preview->isReadOnly());
  EXPECT_EQ(caret->text(), QString());
  EXPECT_EQ(size->text(), QStringLiteral("12 byte"));
  EXPECT_EQ(previewButton->statusTip(), QStringLiteral("編集モードへ"));

  // The second date format from the button's menu: stored and shown at once.
  prompt.inputs = {u"m月d日"};
  Find<QToolButton>(&dialog, "ToolButton2")->menu()->actions()[1]->trigger();
  EXPECT_EQ(Stored("Signature", "DateTime2"), "m月d日");
  EXPECT_EQ(prompt.shown.back().text, u"日付と時間の書式を設定");

  previewButton->click();
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(size->text(), QString());
  EXPECT_EQ(previewButton->statusTip(), QStringLiteral("プレビュー"));

  Find<QToolButton>(&dialog, "ToolButton4")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{16});
}

TEST_F(TextDialog, TheDateFormatRefreshesAShowingPreview) {
  Given("[Signature]\r\nDateTime3=yyyy\r\nLineCount=1\r\nLine1=\"%datetime3%\"\r\n");
  TSigFormView dialog(Context());
  dialog.show();
  Find<QToolButton>(&dialog, "ToolButton1")->click();
  auto* preview = Find<QPlainTextEdit>(&dialog, "Preview");
  EXPECT_EQ(preview->toPlainText(), QStringLiteral("2003"));
  prompt.inputs = {u"hh:nn"};
  QAction* third = Find<QToolButton>(&dialog, "ToolButton2")->menu()->actions().value(2);
  ASSERT_TRUE(third);
  EXPECT_EQ(third->objectName(), QStringLiteral("N3"));
  third->trigger();
  EXPECT_EQ(preview->toPlainText(), QStringLiteral("12:34"));
}

TEST_F(TextDialog, ClosingAnEditedTextAsksFirstFromEveryWayOut) {
  struct Case {
    const char* what;
    bool closeButton;  // or the window's close box
    PromptAnswer answer;
    bool closed;
    const char* stored;
  } cases[] = {
      {"close button, Cancel", true, PromptAnswer::Cancel, false, "old"},
      {"close button, Yes", true, PromptAnswer::Yes, true, "old!"},
      {"close box, No", false, PromptAnswer::No, true, "old"},
      {"close box, Yes", false, PromptAnswer::Yes, true, "old!"},
  };
  for (const Case& c : cases) {
    Given("[Template]\r\nLineCount=1\r\nLine1=\"old\"\r\n");
    prompt.shown.clear();
    prompt.answers = {c.answer};
    TTemplateFormView dialog(Context());
    dialog.show();
    auto* editor = Find<TextEditor>(&dialog, "Memo");
    editor->moveCursor(QTextCursor::End);
    QTest::keyClick(editor, Qt::Key_Exclam);
    ASSERT_TRUE(editor->document()->isModified());
    if (c.closeButton)
      Find<QToolButton>(&dialog, "ToolButton5")->click();
    else
      dialog.close();
    EXPECT_EQ(dialog.isVisible(), !c.closed) << c.what;
    EXPECT_EQ(prompt.Texts(Shown::Question),
              std::vector<WideString>{u"更新されています。保存して閉じますか?"})
        << c.what;
    EXPECT_EQ(Stored("Template", "Line1"), c.stored) << c.what;
  }
}

TEST_F(TextDialog, TemplateShowsThePlaceholdersAndItsOwnTopic) {
  Given("[Template]\r\nLineCount=1\r\nLine1=\"%fname% さんへ\"\r\n");
  TTemplateFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("返信テンプレート"));
  Find<QToolButton>(&dialog, "ToolButton1")->click();
  EXPECT_EQ(Find<QPlainTextEdit>(&dialog, "Preview")->toPlainText(),
            QStringLiteral("元メールの送信者 さんへ"));
  Find<QToolButton>(&dialog, "ToolButton4")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{7});
  // Unchanged: closes without a question.
  Find<QToolButton>(&dialog, "ToolButton5")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(prompt.Texts(Shown::Question).empty());
}

QStringList GridRows(const QTableWidget* grid) {
  QStringList rows;
  for (int i = 0; i < grid->rowCount(); ++i)
    rows << grid->item(i, 0)->text() + QLatin1Char('=') + grid->item(i, 1)->text();
  return rows;
}

TEST_F(TextDialog, ExtendedHeaderGridEditsAndStoresTheRows) {
  Given("[XHeader]\r\nLineCount=2\r\nLine1=\"X-A=1\"\r\nLine2=\"X-B=a=b\"\r\n");
  TXHFormView dialog(Context());
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("拡張ヘッダフィールド"));
  auto* grid = Find<QTableWidget>(&dialog, "Grid");
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("フィールド"));
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("値"));
  EXPECT_EQ(GridRows(grid), QStringList({"X-A=1", "X-B=a=b"}));
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(Find<QToolButton>(&dialog, "OKBtn")->statusTip(), QStringLiteral("閉じる"));
  EXPECT_EQ(Find<QToolButton>(&dialog, "ToolButton1")->statusTip(),
            QStringLiteral("この機能についてのヘルプ"));

  // A name another row has is refused and put back.
  grid->item(1, 0)->setText(QStringLiteral("x-a"));
  EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("X-B"));
  EXPECT_EQ(prompt.Texts(Shown::Error), std::vector<WideString>{u"x-a は既にあります"});

  Find<QToolButton>(&dialog, "AddRow")->click();
  ASSERT_EQ(grid->rowCount(), 3);
  grid->item(2, 0)->setText(QStringLiteral("X-C"));
  // A name without a value keeps the dialog open at its row.
  Find<QToolButton>(&dialog, "OKBtn")->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(grid->currentRow(), 2);
  EXPECT_EQ(prompt.Texts(Shown::Error).back(), u"X-C は 値がありません");

  grid->item(2, 1)->setText(QStringLiteral("3"));
  grid->selectRow(0);
  Find<QToolButton>(&dialog, "DeleteRow")->click();
  EXPECT_EQ(GridRows(grid), QStringList({"X-B=a=b", "X-C=3"}));
  Find<QToolButton>(&dialog, "ToolButton1")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{17});
  Find<QToolButton>(&dialog, "OKBtn")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Stored("XHeader", "LineCount"), "2");
  EXPECT_EQ(Stored("XHeader", "Line1"), "X-B=a=b");
  EXPECT_EQ(Stored("XHeader", "Line2"), "X-C=3");
}

TEST_F(TextDialog, ExtendedHeaderNoticeWhenNothingIsStored) {
  TXHFormView dialog(Context());
  dialog.show();
  QApplication::processEvents();
  ASSERT_EQ(prompt.Texts(Shown::Warning).size(), 1u);
  EXPECT_EQ(prompt.shown[0].caption, u"諸注意");
  auto* grid = Find<QTableWidget>(&dialog, "Grid");
  EXPECT_EQ(grid->rowCount(), 1);  // a row to type into
  // The single empty row is dropped: the section stays empty.
  Find<QToolButton>(&dialog, "OKBtn")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Stored("XHeader", "LineCount"), "-");
}

using MainWindowTextDialogs = MainWindowTest;

TEST_F(MainWindowTextDialogs, EachActionOpensItsDialogForTheCurrentAccount) {
  WriteFile(home / "home.ini",
            WideToSjis(u"[Account]\r\nName=T\r\n[Signature]\r\nLineCount=1\r\nLine1=\"署名\"\r\n"
                       u"[Template]\r\nLineCount=1\r\nLine1=\"返信\"\r\n"));
  Open();
  struct Case {
    const char* action;
    QString title;
    QString shown;  // the editor's text, or the grid's first name
  } cases[] = {
      {"ActionSignSet", "署名の編集", "署名"},
      {"ActionTempSet", "返信テンプレート", "返信"},
      {"ActionXHeaderSet", "拡張ヘッダフィールド", ""},
  };
  for (const Case& c : cases) {
    QString title, shown;
    OnNextModal([&](QWidget* modal) {
      title = modal->windowTitle();
      QApplication::processEvents();
      if (auto* editor = modal->findChild<TextEditor*>(QStringLiteral("Memo")))
        shown = editor->toPlainText();
      if (auto* grid = modal->findChild<QTableWidget*>(QStringLiteral("Grid")))
        shown = grid->item(0, 0)->text();
      static_cast<QDialog*>(modal)->reject();
    });
    Find<QAction>(c.action)->trigger();
    EXPECT_EQ(title, c.title) << c.action;
    EXPECT_EQ(shown, c.shown) << c.action;
  }
}

}  // namespace
}  // namespace orvane::test
