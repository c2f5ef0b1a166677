#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "mime/AttachFile.h"
#include "mime/FileNames.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

TEST(SanitizeFileName, ReplacesPathAndShellCharactersByFullWidthForms) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"a:b.txt", u"a\uFF1Ab.txt"},
      {u"\\/:,;*?\"<>|", u"\uFF3C\uFF0F\uFF1A\uFF0C\uFF1B\uFF0A\uFF1F\uFF02\uFF1C\uFF1E\uFF5C"},
      {u"../../x", u"..\uFF0F..\uFF0Fx"},
      {u"\tre\rpo\nrt.pdf", u"report.pdf"},
      {std::u16string(u"a\0b", 3), u"ab"},
      {u"  報告 書.doc  ", u"報告 書.doc"},
      {u"..", u".."},
      {u" \t ", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(SanitizeFileName(c.in), c.out);
}

TEST(IsUsableFileName, RejectsNamesThatLeaveTheFolderOrNameNoFile) {
  EXPECT_TRUE(IsUsableFileName(u"a.txt"));
  EXPECT_TRUE(IsUsableFileName(u"..."));
  EXPECT_TRUE(IsUsableFileName(u".hidden"));
  EXPECT_FALSE(IsUsableFileName(u""));
  EXPECT_FALSE(IsUsableFileName(u"."));
  EXPECT_FALSE(IsUsableFileName(u".."));
  EXPECT_FALSE(IsUsableFileName(u"a/b"));
}

TEST(DefaultAttachName, CutsTheExtensionAndFallsBackToAttach) {
  const std::filesystem::path folder = "/tmp/Attach";
  EXPECT_EQ(DefaultAttachName(folder, u".jpeg", u"Report", u"sub"), u"Report.jpeg");
  EXPECT_EQ(DefaultAttachName(folder, u".tar.gz", u"x", u"sub"), u"x.tar");
  EXPECT_EQ(DefaultAttachName(folder, u".x-zip-compressed", u"x", u""), u"x.x-zip-compressed");
  EXPECT_EQ(DefaultAttachName(folder, u".mp4", u"clip", u""), u"clip.mp4");
  EXPECT_EQ(DefaultAttachName(folder, u".eml", u"", u"<id@x>"), u"Attach<id@x>.eml");
  EXPECT_EQ(DefaultAttachName(folder, u"", u"", u""), u"Attach");
}

TEST(DefaultAttachName, KeepsFolderNameAndExtensionBelow260Characters) {
  const std::filesystem::path folder = "/tmp/Attach";  // 12 characters with its delimiter
  std::u16string name = DefaultAttachName(folder, u".txt", std::u16string(300, u'a'), u"");
  EXPECT_EQ(name.size(), 260u - 12u);
  EXPECT_EQ(name.substr(name.size() - 4), u".txt");
  EXPECT_EQ(DefaultAttachName(folder, u".txt", std::u16string(243, u'a'), u"").size(), 247u);
  EXPECT_EQ(DefaultAttachName(folder, u".txt", std::u16string(244, u'a'), u"").size(), 248u);
}

TEST(FitFileNameLength, KeepsTheUtf8NameWithinOneComponent) {
  std::u16string longName(100, u'\u5831');  // 300 bytes in UTF-8
  std::u16string fitted = FitFileNameLength(longName + u".pdf");
  EXPECT_LE(WideToUtf8(fitted).size(), 255u);
  EXPECT_EQ(fitted, std::u16string(83, u'\u5831') + u".pdf");
  EXPECT_EQ(FitFileNameLength(u"short.pdf"), u"short.pdf");
  std::u16string pairs;
  for (int i = 0; i < 70; ++i) pairs += u"\U0001F600";  // 280 bytes
  std::u16string cut = FitFileNameLength(pairs);
  EXPECT_EQ(cut.size(), 2u * 63u);  // whole surrogate pairs only
}

TEST(AttachFileWriter, WritesInsideTheFolderAndReplacesAnExistingFile) {
  test::TempFolder temp;
  TAttachTarget target{temp / "Attach", "sub"};
  ASSERT_TRUE(CreateAttachFolder(target));
  TAttachFileWriter writer;
  ASSERT_TRUE(writer.Open(target, "a.bin"));
  EXPECT_TRUE(writer.Write("first"));
  EXPECT_TRUE(writer.Close());
  ASSERT_TRUE(writer.Open(target, "a.bin"));
  EXPECT_TRUE(writer.Write("new"));
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(test::ReadFile(temp / "Attach/sub/a.bin"), "new");
  EXPECT_TRUE(AttachNameTaken(target, "a.bin"));
  EXPECT_FALSE(AttachNameTaken(target, "b.bin"));
}

TEST(AttachFileWriter, NeverWritesThroughALinkOrOutOfTheFolder) {
  test::TempFolder temp;
  test::WriteFile(temp / "outside.txt", "keep");
  TAttachTarget target{temp / "Attach", ""};
  ASSERT_TRUE(CreateAttachFolder(target));
  ASSERT_EQ(::symlink((temp / "outside.txt").c_str(), (temp / "Attach/planted").c_str()), 0);
  ASSERT_EQ(::link((temp / "outside.txt").c_str(), (temp / "Attach/hard").c_str()), 0);

  for (const char* name : {"planted", "hard"}) {
    TAttachFileWriter writer;
    ASSERT_TRUE(writer.Open(target, name)) << name;
    writer.Write("attack");
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(test::ReadFile(temp / "Attach" / name), "attack");
  }
  EXPECT_EQ(test::ReadFile(temp / "outside.txt"), "keep");
  struct stat st {};
  ASSERT_EQ(::lstat((temp / "Attach/planted").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));

  TAttachFileWriter writer;
  for (const char* name : {"..", ".", "", "../x", "a/b"}) EXPECT_FALSE(writer.Open(target, name));
  EXPECT_FALSE(std::filesystem::exists(temp / "x"));
}

TEST(AttachFileWriter, RefusesASubfolderThatIsALink) {
  test::TempFolder temp;
  std::filesystem::create_directories(temp / "elsewhere");
  std::filesystem::create_directories(temp / "Attach");
  ASSERT_EQ(::symlink((temp / "elsewhere").c_str(), (temp / "Attach/sub").c_str()), 0);
  TAttachTarget target{temp / "Attach", "sub"};
  EXPECT_FALSE(CreateAttachFolder(target));
  TAttachFileWriter writer;
  EXPECT_FALSE(writer.Open(target, "a.bin"));
  EXPECT_TRUE(std::filesystem::is_empty(temp / "elsewhere"));
  EXPECT_FALSE(CreateAttachFolder(TAttachTarget{temp / "Attach", ".."}));
}

TEST(RewriteFileNoFollow, RewritesRegularFilesOnly) {
  test::TempFolder temp;
  test::WriteFile(temp / "page.html", "long old content");
  EXPECT_TRUE(RewriteFileNoFollow(temp / "page.html", "new"));
  EXPECT_EQ(test::ReadFile(temp / "page.html"), "new");
  ASSERT_EQ(::symlink((temp / "page.html").c_str(), (temp / "link.html").c_str()), 0);
  EXPECT_FALSE(RewriteFileNoFollow(temp / "link.html", "x"));
  AnsiString bytes;
  EXPECT_FALSE(ReadFileNoFollow(temp / "link.html", bytes));
  EXPECT_TRUE(ReadFileNoFollow(temp / "page.html", bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_EQ(test::ReadFile(temp / "page.html"), "new");
}

}  // namespace
}  // namespace orvane
