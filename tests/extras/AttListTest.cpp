#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "extras/AttList.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// The attachment folder as name -> content, hidden files included.
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  if (!fs::exists(folder)) return contents;
  for (const auto& entry : fs::directory_iterator(folder))
    contents[entry.path().filename().native()] =
        entry.is_regular_file() ? ReadFile(entry.path()) : "<folder>";
  return contents;
}

// Records the progress of large copies and cancels the first when asked.
class RecordingProgress final : public AttachProgress {
 public:
  explicit RecordingProgress(bool cancel = false) : cancel_(cancel) {}
  void Begin(const WideString& name, std::uintmax_t total) override {
    begun.push_back(name);
    totals.push_back(total);
  }
  bool Advance(std::uintmax_t done) override {
    last = done;
    return !cancel_;
  }
  void End() override { ++ended; }

  std::vector<WideString> begun;
  std::vector<std::uintmax_t> totals;
  std::uintmax_t last = 0;
  int ended = 0;

 private:
  bool cancel_;
};

class AttachForm : public ::testing::Test {
 protected:
  fs::path Attached(const std::string& name) const { return home / "AttachFiles" / name; }
  TempFolder home;
  TempFolder source;
  IniFileUnit settings{home.Path()};
  TAttachForm form{settings};
};

TEST_F(AttachForm, AddingCopiesFilesUnderTheirOwnNames) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // already attached
    std::vector<std::string> added;  // below the source folder; a name ending in "/" is a folder
    std::map<std::string, std::string> after;
    int copied;
    size_t failures;
  } cases[] = {
      {"new files", {}, {"a.txt", "b.pdf"}, {{"a.txt", "a.txt"}, {"b.pdf", "b.pdf"}}, 2, 0},
      {"the same name replaces the attached copy",
       {{"a.txt", "old"}},
       {"a.txt"},
       {{"a.txt", "a.txt"}},
       1,
       0},
      {"two of one name from two folders: the last stays",
       {},
       {"one/a.txt", "two/a.txt"},
       {{"a.txt", "two/a.txt"}},
       2,
       0},
      {"a folder attaches nothing", {}, {"docs/"}, {}, 0, 0},
      {"a missing file is reported and the rest attached",
       {},
       {"gone.txt?", "b.pdf"},
       {{"b.pdf", "b.pdf"}},
       1,
       1},
  };
  for (const Case& c : cases) {
    TempFolder home, source;
    IniFileUnit settings(home.Path());
    TAttachForm form(settings);
    for (const auto& [name, content] : c.before) WriteFile(home / "AttachFiles" / name, content);
    std::vector<fs::path> paths;
    for (std::string name : c.added) {
      if (name.back() == '/') {
        fs::create_directories(source / name);
      } else if (name.back() == '?') {
        name.pop_back();  // named, never made
      } else {
        WriteFile(source / name, name);
      }
      paths.push_back(source / name);
    }
    const AttachOutcome outcome = form.Add(paths);
    EXPECT_EQ(Contents(home / "AttachFiles"), c.after) << c.what;
    EXPECT_EQ(outcome.copied, c.copied) << c.what;
    EXPECT_EQ(outcome.failures.size(), c.failures) << c.what;
    EXPECT_FALSE(outcome.cancelled) << c.what;
    // The sources stay where they were.
    for (const std::string& name : c.added)
      EXPECT_TRUE(name.back() == '?' || fs::exists(source / name)) << name;
  }
}

TEST_F(AttachForm, RemovingDeletesOnlyTheCopies) {
  WriteFile(source / "a.txt", "a");
  WriteFile(source / "b.txt", "b");
  WriteFile(source / "c.txt", "c");
  form.Add({source / "a.txt", source / "b.txt", source / "c.txt"});
  form.Remove({Attached("a.txt"), Attached("c.txt"), source / "b.txt"});
  EXPECT_EQ(Contents(home / "AttachFiles"), (std::map<std::string, std::string>{{"b.txt", "b"}}));
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) EXPECT_TRUE(fs::exists(source / name));
}

TEST_F(AttachForm, ListsPlainFilesByTypeThenName) {
  WriteFile(Attached("z.txt"), "1");
  WriteFile(Attached("b.PDF"), "22");
  WriteFile(Attached("a.txt"), "333");
  WriteFile(Attached("c.pdf"), "4444");
  WriteFile(Attached(".hidden"), "h");
  fs::create_directories(Attached("folder"));
  ASSERT_EQ(::mkfifo(Attached("pipe").c_str(), 0600), 0);
  std::vector<std::pair<std::string, std::uintmax_t>> listed;
  for (const AttachedFile& file : form.Files())
    listed.emplace_back(file.path.filename().native(), file.size);
  EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::uintmax_t>>{
                        {"b.PDF", 2}, {"c.pdf", 4}, {"a.txt", 3}, {"z.txt", 1}}));
}

TEST_F(AttachForm, StatusCountsFilesAndGroupsTheirBytes) {
  struct Case {
    std::vector<std::uintmax_t> sizes;
    const char16_t* count;
    const char16_t* bytes;
  } cases[] = {
      {{1000, 2000, 500}, u"3 File", u"3,500 Byte"},
      {{}, u"0 File", u"0 Byte"},
      {{999}, u"1 File", u"999 Byte"},
      {{1000}, u"1 File", u"1,000 Byte"},
      {{1234567, 0}, u"2 File", u"1,234,567 Byte"},
      {{std::uintmax_t{60} << 30}, u"1 File", u"64,424,509,440 Byte"},
  };
  for (const Case& c : cases) {
    std::vector<AttachedFile> files;
    for (std::uintmax_t size : c.sizes) files.push_back({"f", size});
    EXPECT_EQ(TAttachForm::CountText(files), c.count);
    EXPECT_EQ(TAttachForm::SizeText(files), c.bytes);
  }
}

TEST_F(AttachForm, ThreeFilesOfTheDialogShowThreeFileAnd3500Byte) {
  WriteFile(source / "a.txt", std::string(1000, 'a'));
  WriteFile(source / "b.txt", std::string(2000, 'b'));
  WriteFile(source / "c.txt", std::string(500, 'c'));
  form.Add({source / "a.txt", source / "b.txt", source / "c.txt"});
  EXPECT_EQ(TAttachForm::CountText(form.Files()), u"3 File");
  EXPECT_EQ(TAttachForm::SizeText(form.Files()), u"3,500 Byte");
}

TEST_F(AttachForm, LargeFilesReportTheirCopyAndCanBeStopped) {
  // Sparse: 50 MiB that take no room in the source folder.
  const fs::path large = source / "video.mp4";
  WriteFile(large, "");
  fs::resize_file(large, kLargeAttachmentBytes);
  WriteFile(source / "small.txt", "s");
  WriteFile(Attached("video.mp4"), "the earlier copy");

  RecordingProgress cancelling(true);
  AttachOutcome outcome = form.Add({large, source / "small.txt"}, &cancelling);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(outcome.copied, 0);
  EXPECT_EQ(cancelling.begun, std::vector<WideString>{u"video.mp4"});
  EXPECT_EQ(cancelling.ended, 1);
  // Nothing half-copied, the earlier copy kept, and the rest not tried.
  EXPECT_EQ(Contents(home / "AttachFiles"),
            (std::map<std::string, std::string>{{"video.mp4", "the earlier copy"}}));

  RecordingProgress watching;
  outcome = form.Add({source / "small.txt", large}, &watching);
  EXPECT_EQ(outcome.copied, 2);
  EXPECT_EQ(watching.begun, std::vector<WideString>{u"video.mp4"});  // the small file shows none
  EXPECT_EQ(watching.totals, std::vector<std::uintmax_t>{kLargeAttachmentBytes});
  EXPECT_EQ(watching.last, kLargeAttachmentBytes);
  EXPECT_EQ(watching.ended, 1);
  EXPECT_EQ(fs::file_size(Attached("video.mp4")), kLargeAttachmentBytes);
}

TEST_F(AttachForm, OpeningMakesTheMissingFolder) {
  EXPECT_FALSE(fs::exists(home / "AttachFiles"));
  form.Open();
  EXPECT_TRUE(fs::is_directory(home / "AttachFiles"));
  EXPECT_TRUE(form.Files().empty());
}

}  // namespace
}  // namespace orvane
