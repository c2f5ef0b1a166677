#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "FormsFixture.h"
#include "extras/forms/AttachForm.h"
#include "gui/FilePanel.h"
#include "gui/QtText.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> AttachedNames(const fs::path& home) {
  std::vector<std::string> names;
  if (!fs::exists(home / "AttachFiles")) return names;
  for (const auto& entry : fs::directory_iterator(home / "AttachFiles"))
    names.push_back(entry.path().filename().native());
  std::sort(names.begin(), names.end());
  return names;
}

void Drop(QWidget* target, const std::vector<fs::path>& paths) {
  QList<QUrl> urls;
  for (const fs::path& path : paths) urls << QUrl::fromLocalFile(PathToQString(path));
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  // The copy follows once the drop is released.
  QApplication::processEvents();
}

class AttachDialog : public DialogTest {
 protected:
  TempFolder source;
};

TEST_F(AttachDialog, ShowsTheFolderWithItsCountAndSize) {
  WriteFile(home / "AttachFiles" / "a.txt", std::string(1000, 'a'));
  WriteFile(home / "AttachFiles" / "b.txt", std::string(2000, 'b'));
  WriteFile(home / "AttachFiles" / "c.png", std::string(500, 'c'));
  TAttachFormView dialog(Context());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添付ファイル"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(dialog.acceptDrops());
  struct Button {
    const char* name;
    QString text;
    QString hint;
  } buttons[] = {{"Add", "追加", "添付ファイルを追加します"},
                 {"Remove", "除外", "選択ファイルをリストから除外します"},
                 {"Help", "ヘルプ", "この機能についてのヘルプ"},
                 {"CloseBTN", "閉じる", "閉じる"}};
  for (const Button& b : buttons) {
    auto* button = Find<QToolButton>(&dialog, b.name);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), b.text);
    EXPECT_EQ(button->statusTip(), b.hint);
  }
  EXPECT_EQ(Find<FilePanel>(&dialog, "Img")->Files().size(), 3u);
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel1")->text(), QStringLiteral("3 File"));
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel2")->text(), QStringLiteral("3,500 Byte"));

  Find<QToolButton>(&dialog, "Help")->click();
  EXPECT_EQ(helpTopics, std::vector<int>{15});
  Find<QToolButton>(&dialog, "CloseBTN")->click();
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(AttachDialog, AddChoosesSeveralFilesStartingInTheProgramFolder) {
  WriteFile(source / "見積.pdf", "pdf");
  WriteFile(source / "memo.txt", "memo");
  WriteFile(source / "other.txt", "other");
  TAttachFormView dialog(Context());
  dialog.show();
  QString startedIn;
  OnNextModal([&](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFiles);
    startedIn = files->directory().absolutePath();
    files->setDirectory(PathToQString(source.Path()));
    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QStringLiteral("\"見積.pdf\" \"memo.txt\""));
    static_cast<QDialog*>(files)->accept();
  });
  Find<QToolButton>(&dialog, "Add")->click();
  EXPECT_EQ(startedIn, PathToQString(home.Path()));
  EXPECT_EQ(AttachedNames(home.Path()), (std::vector<std::string>{"memo.txt", "見積.pdf"}));
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel1")->text(), QStringLiteral("2 File"));

  // Cancelling copies nothing.
  OnNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  Find<QToolButton>(&dialog, "Add")->click();
  EXPECT_EQ(AttachedNames(home.Path()).size(), 2u);
}

TEST_F(AttachDialog, RemoveDeletesTheSelectedCopiesOnly) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(source / name, name);
  TAttachFormView dialog(Context());
  dialog.AddFiles({source / "a.txt", source / "b.txt", source / "c.txt"});
  auto* panel = Find<FilePanel>(&dialog, "Img");
  panel->selectionModel()->select(panel->model()->index(0, 0), QItemSelectionModel::Select);
  panel->selectionModel()->select(panel->model()->index(2, 0), QItemSelectionModel::Select);
  Find<QToolButton>(&dialog, "Remove")->click();
  EXPECT_EQ(AttachedNames(home.Path()), std::vector<std::string>{"b.txt"});
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) EXPECT_TRUE(fs::exists(source / name));
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel1")->text(), QStringLiteral("1 File"));
}

TEST_F(AttachDialog, DroppedFilesAreAttachedAndFoldersAreNot) {
  WriteFile(source / "a.txt", "new");
  WriteFile(home / "AttachFiles" / "a.txt", "old");
  fs::create_directories(source / "folder");
  WriteFile(source / "folder" / "inside.txt", "x");
  TAttachFormView dialog(Context());
  dialog.show();
  Drop(&dialog, {source / "folder", source / "a.txt"});
  EXPECT_EQ(AttachedNames(home.Path()), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(ReadFile(home / "AttachFiles" / "a.txt"), "new");
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel2")->text(), QStringLiteral("3 Byte"));
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(AttachDialog, ALargeCopyShowsProgressAndCancellingLeavesNothing) {
  const fs::path large = source / "video.mp4";
  WriteFile(large, "");
  fs::resize_file(large, std::uintmax_t{50} << 20);
  TAttachFormView dialog(Context());
  dialog.show();
  bool sawProgress = false;
  std::function<void()> cancelWhenShown = [&] {
    if (auto* progress = dialog.findChild<QProgressDialog*>(QStringLiteral("CopyProgress"))) {
      sawProgress = progress->isVisible() && progress->labelText().contains("video.mp4");
      progress->cancel();
    } else {
      QTimer::singleShot(1, cancelWhenShown);
    }
  };
  QTimer::singleShot(0, cancelWhenShown);
  dialog.AddFiles({large});
  EXPECT_TRUE(sawProgress);
  EXPECT_TRUE(AttachedNames(home.Path()).empty());
  EXPECT_EQ(Find<QLabel>(&dialog, "Panel1")->text(), QStringLiteral("0 File"));
}

TEST_F(AttachDialog, FilesThatCannotBeCopiedAreNamedInOneMessage) {
  WriteFile(source / "ok.txt", "ok");
  TAttachFormView dialog(Context());
  dialog.AddFiles({source / "gone.txt", source / "ok.txt"});
  EXPECT_EQ(AttachedNames(home.Path()), std::vector<std::string>{"ok.txt"});
  const auto errors = prompt.Texts(ScriptedPrompt::Shown::Error);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(u"gone.txt"), WideString::npos);
}

using MainWindowAttachments = MainWindowTest;

TEST_F(MainWindowAttachments, TheMarkFollowsTheFolderWhenTheDialogCloses) {
  TempFolder source;
  WriteFile(source / "a.txt", "a");
  Open();
  auto* mark = Find<QLabel>("Panel5");
  struct Step {
    bool attach;  // add a file in the dialog, or remove every file
    QString shown;
  } steps[] = {{true, "添付"}, {false, ""}};
  for (const Step& step : steps) {
    QString title;
    OnNextModal([&](QWidget* modal) {
      auto* dialog = dynamic_cast<TAttachFormView*>(modal);
      ASSERT_TRUE(dialog);
      title = dialog->windowTitle();
      if (step.attach) {
        dialog->AddFiles({source / "a.txt"});
      } else {
        auto* panel = dialog->findChild<FilePanel*>(QStringLiteral("Img"));
        panel->selectAll();
        dialog->findChild<QToolButton*>(QStringLiteral("Remove"))->click();
      }
      dialog->findChild<QToolButton*>(QStringLiteral("CloseBTN"))->click();
    });
    Find<QAction>("ActionAttachSet")->trigger();
    EXPECT_EQ(title, QStringLiteral("添付ファイル"));
    EXPECT_EQ(mark->text(), step.shown);
  }
}

TEST_F(MainWindowAttachments, FilesDroppedOnTheWindowOrItsFieldsAreAttached) {
  TempFolder source;
  WriteFile(source / "a.txt", "a");
  WriteFile(source / "b.txt", "b");
  Open({"mailto=hanako@example.jp"});
  Drop(view.get(), {source / "a.txt"});
  EXPECT_EQ(AttachedNames(home.Path()), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(Find<QLabel>("Panel5")->text(), QStringLiteral("添付"));

  auto* field = Find<QLineEdit>("EDIT_To");
  Drop(field, {source / "b.txt"});
  EXPECT_EQ(AttachedNames(home.Path()), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(field->text(), QStringLiteral("hanako@example.jp"));
}

}  // namespace
}  // namespace orvane::test
