#include <gtest/gtest.h>

#include "app/LogListUnit.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

class SentLogViewer : public ::testing::Test {
 protected:
  fs::path Folder() const { return home / "SendedLog"; }

  SentLogList Open() { return SentLogList(IniFileUnit(home.Path()), shell, prompt); }

  TempFolder home;
  RecordingShell shell;
  ScriptedPrompt prompt;
};

TEST_F(SentLogViewer, ListsTheAccountsThatHaveSent) {
  SentLogList empty = Open();
  EXPECT_TRUE(fs::is_directory(Folder()));
  EXPECT_TRUE(empty.Accounts().empty());

  for (const char* name : {"work.dat", "home.dat", "仕事.dat", "SLog0.Log", "notes.txt", "old.DAT"})
    WriteFile(Folder() / name, "");
  fs::create_directories(Folder() / "folder.dat");
  const std::vector<WideString> expected{u"home", u"old", u"work", u"仕事"};
  EXPECT_EQ(Open().Accounts(), expected);
}

TEST_F(SentLogViewer, ClickingAnAccountShowsItsEntries) {
  // 見積 in Shift_JIS, as the index stores it.
  WriteFile(Folder() / "home.dat",
            "[Count]\r\nCount=2\r\n[String]\r\nDateTime1=2003/01/05 12:34\r\nTo1=a@example.jp\r\n"
            "Subject1=\x8c\xa9\x90\xcf\r\nFileName1=SLog0.Log\r\nTo2=b@example.jp\r\n");
  WriteFile(Folder() / "work.dat", "[Count]\r\nCount=1\r\n");
  SentLogList list = Open();
  struct Step {
    int account;
    std::vector<SentLogRow> rows;
  } steps[] = {
      {0,
       {{u"2003/01/05 12:34", u"a@example.jp", u"見積", u"SLog0.Log"},
        {u"---", u"b@example.jp", u"---", u"---"}}},
      {1, {{u"---", u"---", u"---", u"---"}}},
      {5, {}},
  };
  for (const Step& step : steps) {
    list.AccountClicked(step.account);
    EXPECT_EQ(list.Rows(), step.rows) << step.account;
  }
  EXPECT_TRUE(prompt.shown.empty());

  fs::remove(Folder() / "home.dat");
  list.AccountClicked(0);
  EXPECT_TRUE(list.Rows().empty());
  EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error),
            std::vector<WideString>{u"ログファイルが見つかりません"});
}

TEST_F(SentLogViewer, ShowOpensTheLogFileOfTheSelectedRow) {
  WriteFile(Folder() / "home.dat",
            "[Count]\r\nCount=4\r\n[String]\r\nFileName1=SLog0.Log\r\nFileName2=SLog1.log\r\n"
            "FileName3=../other.log\r\n");
  WriteFile(home / "other.log", "not a log of ours");
  WriteFile(Folder() / "SLog0.Log", "log");
  SentLogList list = Open();
  list.AccountClicked(0);
  struct Case {
    int row;
    std::vector<fs::path> opened;
    size_t errors;
  } cases[] = {
      {0, {Folder() / "SLog0.Log"}, 0},
      {-1, {}, 0},  // no row selected
      {4, {}, 0},
      {1, {}, 1},  // its log file is gone
      {2, {}, 1},  // a name outside the log folder
      {3, {}, 1},  // "---"
  };
  for (const Case& c : cases) {
    shell.openedFiles.clear();
    prompt.shown.clear();
    list.ShowLog(c.row);
    EXPECT_EQ(shell.openedFiles, c.opened) << c.row;
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error).size(), c.errors) << c.row;
  }
}

}  // namespace
}  // namespace orvane::test
