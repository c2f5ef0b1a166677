// The contracts of the reusable controls: the text editor, the file panel,
// the flat button and the folder chooser.

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "FormsFixture.h"
#include "gui/FilePanel.h"
#include "gui/FlatButton.h"
#include "gui/FolderChooser.h"
#include "gui/QtText.h"
#include "gui/TextEditor.h"
#include "gui/TextHighlighter.h"
#include "platform/FileSystem.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

class Controls : public ::testing::Test {
 protected:
  Controls() { TestApplication(); }
};

TEST_F(Controls, EditorGivesItsLinesAndCaret) {
  struct Case {
    const char* text;
    int lines;
    std::vector<QString> each;
  } cases[] = {
      {"", 1, {""}},
      {"一行", 1, {"一行"}},
      {"a\nb", 2, {"a", "b"}},
      {"  blanks kept  \n", 2, {"  blanks kept  ", ""}},
  };
  for (const Case& c : cases) {
    TextEditor editor;
    editor.setPlainText(QString::fromUtf8(c.text));
    ASSERT_EQ(editor.LineCount(), c.lines) << c.text;
    for (int i = 0; i < c.lines; ++i) EXPECT_EQ(editor.Line(i), c.each[i]) << c.text;
  }

  TextEditor editor;
  editor.setPlainText(QStringLiteral("first\n%name% さん\nthird"));
  QSignalSpy moved(&editor, &TextEditor::CaretMoved);
  QTextCursor cursor = editor.textCursor();
  cursor.setPosition(static_cast<int>(QStringLiteral("first\n%nam").size()));
  editor.setTextCursor(cursor);
  EXPECT_EQ(editor.CaretLine(), 1);
  EXPECT_EQ(editor.CaretColumn(), 4);
  EXPECT_GE(moved.count(), 1);
}

TEST_F(Controls, EditorIsModifiedByTypingOnly) {
  TextEditor editor;
  editor.show();
  editor.setPlainText(QStringLiteral("署名"));
  editor.document()->setModified(false);
  EXPECT_FALSE(editor.document()->isModified());
  editor.setFocus();
  QTest::keyClick(&editor, Qt::Key_Tab);
  QTest::keyClick(&editor, Qt::Key_Return);
  // Tab and Return go into the text.
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("\t\n署名"));
  EXPECT_TRUE(editor.document()->isModified());
}

TEST_F(Controls, EditorIsFixedPitchUnwrappedWithLineNumbersAndRuler) {
  TextEditor editor;
  editor.resize(200, 150);
  editor.show();
  EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(editor.fontMetrics().horizontalAdvance(QStringLiteral("iiii")),
            editor.fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
  auto* ruler = editor.findChild<QWidget*>(QStringLiteral("Ruler"));
  auto* bar = editor.findChild<QWidget*>(QStringLiteral("LineBar"));
  ASSERT_TRUE(ruler && bar);
  EXPECT_TRUE(ruler->isVisible());
  EXPECT_GE(ruler->height(), editor.fontMetrics().height());
  // The text starts right of the line numbers and below the ruler.
  EXPECT_EQ(editor.viewport()->geometry().left(), bar->geometry().right() + 1);
  EXPECT_GE(editor.viewport()->geometry().top(), ruler->geometry().bottom());

  const int narrow = editor.LineBarWidth();
  editor.setPlainText(QString(QStringLiteral("\n")).repeated(120));
  EXPECT_GT(editor.LineBarWidth(), narrow);  // room for three digits
  EXPECT_EQ(bar->width(), editor.LineBarWidth());
}

TEST_F(Controls, EditorColoursMacrosAndAddresses) {
  enum Kind { None, Macro, Address, Url };
  struct Case {
    QString line;
    QString part;
    Kind kind;
  } cases[] = {
      {"%name% です", "%name%", Macro},
      {"日付 %DateTime1%", "%DateTime1%", Macro},
      {"%unknown% は普通の文字", "%unknown%", None},
      {"連絡先 taro@example.jp まで", "taro@example.jp", Address},
      {"see https://example.jp/a?b=c now", "https://example.jp/a?b=c", Url},
      {"100% 確実", "100%", None},
  };
  TextEditor editor;
  editor.SetMacros({"%name%", "%datetime1%"});
  QStringList lines;
  for (const Case& c : cases) lines << c.line;
  editor.setPlainText(lines.join('\n'));
  const QTextCharFormat expected[] = {QTextCharFormat(), TextHighlighter::MacroFormat(),
                                      TextHighlighter::AddressFormat(),
                                      TextHighlighter::UrlFormat()};
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    const QTextBlock block = editor.document()->findBlockByNumber(i);
    const int start = static_cast<int>(c.line.indexOf(c.part));
    QTextCharFormat found;
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
      if (range.start == start && range.length == c.part.size()) found = range.format;
    EXPECT_EQ(found.foreground(), expected[c.kind].foreground()) << c.line.toStdString();
  }
}

TEST_F(Controls, FilePanelShowsTheFilesGivenWithThumbnails) {
  TempFolder folder;
  QImage picture(160, 120, QImage::Format_RGB32);
  picture.fill(QColor(200, 30, 30));
  ASSERT_TRUE(picture.save(PathToQString(folder / "写真.png"), "PNG"));
  WriteWholeFile(folder / "memo.txt", "hello");
  // A name that says picture, and content that is not.
  WriteWholeFile(folder / "broken.png", "not a picture");

  FilePanel panel;
  panel.resize(400, 300);
  panel.show();
  const std::vector<FileItem> files{{folder / "memo.txt", 5},
                                    {folder / "写真.png", fs::file_size(folder / "写真.png")},
                                    {folder / "broken.png", 13}};
  panel.SetFiles(files);
  EXPECT_EQ(panel.Files(), files);
  QAbstractItemModel* model = panel.model();
  ASSERT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("写真.png"));

  struct Expect {
    int row;
    bool thumbnail;
  } expects[] = {{0, false}, {1, true}, {2, false}};
  for (const Expect& e : expects) {
    const QIcon icon = model->index(e.row, 0).data(Qt::DecorationRole).value<QIcon>();
    const QPixmap pixmap = icon.pixmap(QSize(64, 64));
    const QImage image = pixmap.toImage();
    // The picture keeps its proportions: 64 x 48 in the middle of 64 x 64.
    EXPECT_EQ(image.pixelColor(32, 32) == QColor(200, 30, 30), e.thumbnail) << e.row;
    if (e.thumbnail) {
      EXPECT_EQ(image.pixelColor(32, 9), QColor(200, 30, 30));
      EXPECT_EQ(image.pixelColor(32, 6).alpha(), 0);
    }
  }

  // Several at once, in the order shown; names are not edited, items not dragged.
  panel.selectionModel()->select(model->index(2, 0), QItemSelectionModel::Select);
  panel.selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select);
  const std::vector<FileItem> selected = panel.SelectedFiles();
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0], files[0]);
  EXPECT_EQ(selected[1], files[2]);
  EXPECT_EQ(panel.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_FALSE(model->flags(model->index(0, 0)) & (Qt::ItemIsEditable | Qt::ItemIsDragEnabled));
  EXPECT_EQ(panel.selectionMode(), QAbstractItemView::ExtendedSelection);

  panel.SetFiles({files[1]});
  EXPECT_TRUE(panel.SelectedFiles().empty());
}

TEST_F(Controls, FlatButtonFitsItsTextAndClicks) {
  FlatButton button(QStringLiteral("追加"));
  QSignalSpy clicked(&button, &QToolButton::clicked);
  button.show();
  EXPECT_TRUE(button.autoRaise());
  EXPECT_GE(button.sizeHint().width(),
            button.fontMetrics().horizontalAdvance(QStringLiteral("追加")));
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);
  // Drawn while hovered and pressed as well as at rest.
  button.setDown(true);
  EXPECT_FALSE(button.grab().isNull());
}

TEST_F(Controls, FolderChooserGivesTheChosenFolderOrNothing) {
  TempFolder folder;
  CreateFolder(folder / "保存先");
  struct Case {
    bool accept;
    std::optional<fs::path> expected;
  } cases[] = {{true, folder / "保存先"}, {false, std::nullopt}};
  for (const Case& c : cases) {
    QTimer::singleShot(0, [&] {
      auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(chooser);
      EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
      if (!c.accept) {
        chooser->reject();
        return;
      }
      chooser->setDirectory(PathToQString(folder / "保存先"));
      static_cast<QDialog*>(chooser)->accept();
    });
    const auto chosen = FolderChooser::Choose(nullptr, QStringLiteral("フォルダ"), folder.Path());
    ASSERT_EQ(chosen.has_value(), c.expected.has_value());
    if (chosen) {
      EXPECT_EQ(fs::canonical(*chosen), fs::canonical(*c.expected));
    }
  }
}

}  // namespace
}  // namespace orvane::test
