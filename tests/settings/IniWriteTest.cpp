#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/IniFile.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

struct WriteCase {
  const char* what;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniFileWrite, KeepsEveryOtherLine) {
  const std::string file = "; settings\r\n[A]\r\nK=old\r\n  L = 1\r\n\r\n[Other]\r\nX=y\r\n";
  const WriteCase cases[] = {
      {"replaces the key's line", file, "A", "K", "new",
       "; settings\r\n[A]\r\nK=new\r\n  L = 1\r\n\r\n[Other]\r\nX=y\r\n"},
      {"finds the key without regard to case", file, "a", "l", "2",
       "; settings\r\n[A]\r\nK=old\r\nl=2\r\n\r\n[Other]\r\nX=y\r\n"},
      {"adds after the section's last line", file, "A", "M", "v",
       "; settings\r\n[A]\r\nK=old\r\n  L = 1\r\nM=v\r\n\r\n[Other]\r\nX=y\r\n"},
      {"adds a section at the end", file, "New", "K", "v", file + "\r\n[New]\r\nK=v\r\n"},
      {"replaces only the first occurrence", "[A]\r\nK=1\r\nK=2\r\n", "A", "K", "3",
       "[A]\r\nK=3\r\nK=2\r\n"},
      {"empty file", "", "A", "K", "v", "[A]\r\nK=v\r\n"},
      {"no final newline, new key", "[A]\r\nK=v", "A", "L", "w", "[A]\r\nK=v\r\nL=w\r\n"},
      {"no final newline, new section", "[A]\r\nK=v", "B", "L", "w",
       "[A]\r\nK=v\r\n\r\n[B]\r\nL=w\r\n"},
      {"no final newline, replaced", "[A]\r\nK=v", "A", "K", "x", "[A]\r\nK=x"},
      {"LF line ends stay", "[A]\nK=v\n#x\n", "A", "K", "x", "[A]\nK=x\n#x\n"},
      {"empty section", "[A]\r\n[B]\r\n", "A", "K", "v", "[A]\r\nK=v\r\n[B]\r\n"},
      {"blank line before a new section", "[A]\r\nK=v\r\n\r\n", "B", "K", "v",
       "[A]\r\nK=v\r\n\r\n[B]\r\nK=v\r\n"},
      {"quotes written as given", "", "A", "K", "\" a \"", "[A]\r\nK=\" a \"\r\n"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir / "t.ini", c.before);
    IniFile(dir / "t.ini").WriteString(c.section, c.key, c.value);
    EXPECT_EQ(ReadFile(dir / "t.ini"), c.after) << c.what;
  }
}

TEST(IniFileWrite, EraseSectionRemovesEverySectionOfTheName) {
  TempFolder dir;
  WriteFile(dir / "t.ini", "[A]\r\nK=1\r\n; note\r\n\r\n[B]\r\nX=y\r\n[a]\r\nZ=1\r\n");
  IniFile file(dir / "t.ini");
  file.EraseSection("A");
  EXPECT_EQ(ReadFile(dir / "t.ini"), "[B]\r\nX=y\r\n");
  EXPECT_FALSE(file.SectionExists("A"));
  EXPECT_TRUE(file.SectionExists("b"));
  EXPECT_EQ(file.ReadString("A", "Z", "gone"), "gone");

  IniFile(dir / "missing.ini").EraseSection("A");
  EXPECT_FALSE(fs::exists(dir / "missing.ini")) << "erasing created a file";
}

TEST(IniFileWrite, JapaneseValueIsShiftJisOnDisk) {
  TempFolder dir;
  // 山田太郎 and ソフト表 in code page 932, from iconv; ソ and 表 end in 5C.
  const std::string yamada = "\x8e\x52\x93\x63\x91\xbe\x98\x59";
  const std::string soft = "\x83\x5c\x83\x74\x83\x67\x95\x5c";
  ASSERT_EQ(WideToSjis(u"山田太郎"), yamada);
  IniFile file(dir / "t.ini");
  file.WriteString("Account", "Name", yamada);
  file.WriteString("Account", soft, soft);
  EXPECT_EQ(ReadFile(dir / "t.ini"),
            "[Account]\r\nName=" + yamada + "\r\n" + soft + "=" + soft + "\r\n");
  EXPECT_EQ(SjisToWide(file.ReadString("account", "name", "")), u"山田太郎");
  EXPECT_EQ(file.ReadString("Account", soft, ""), soft);
}

TEST(IniFileWrite, ValueWithLineBreakIsRefused) {
  TempFolder dir;
  WriteFile(dir / "t.ini", "[A]\r\nK=v\r\n");
  IniFile file(dir / "t.ini");
  for (const char* value : {"a\r\n[B]\r\nX=1", "a\nb", "a\rb"})
    EXPECT_THROW(file.WriteString("A", "K", value), Error) << value;
  EXPECT_EQ(ReadFile(dir / "t.ini"), "[A]\r\nK=v\r\n");
}

void ExpectCannotWrite(const std::function<void()>& write, const fs::path& path) {
  try {
    write();
    ADD_FAILURE() << "writing " << path << " did not fail";
  } catch (const FileError& e) {
    EXPECT_EQ(WideToUtf8(e.Message()), path.native() + " に書き込めません");
  }
}

TEST(IniFileWrite, FailedWriteReportsThePathAndKeepsTheOldFile) {
  TempFolder dir;
  const std::string old = "; keep me\r\n[A]\r\nK=old\r\n";
  auto path = dir / "ro.ini";
  WriteFile(path, old);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  IniFile file(path);
  ExpectCannotWrite([&] { file.WriteString("A", "K", "new"); }, path);
  ExpectCannotWrite([&] { file.EraseSection("A"); }, path);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(file.ReadString("A", "K", ""), "old");

  // A folder that cannot hold files: its path runs through a regular file.
  auto through = dir / "ro.ini" / "t.ini";
  ExpectCannotWrite([&] { IniFile(through).WriteString("A", "K", "v"); }, through);

  // A folder is not a settings file, and its contents are not lost.
  fs::create_directory(dir / "folder.ini");
  ExpectCannotWrite([&] { IniFile(dir / "folder.ini").WriteString("A", "K", "v"); },
                    dir / "folder.ini");
  EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
}

TEST(IniFileWrite, AnOversizedFileIsNeitherReadNorReplaced) {
  TempFolder dir;
  WriteFile(dir / "t.ini", "[A]\r\nK=v\r\n");
  fs::resize_file(dir / "t.ini", IniFile::kMaxFileBytes + 1);
  IniFile file(dir / "t.ini");
  EXPECT_EQ(file.ReadString("A", "K", "default"), "default");
  ExpectCannotWrite([&] { file.WriteString("A", "K", "new"); }, dir / "t.ini");
}

TEST(IniFileWrite, ReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not stop the superuser";
  TempFolder dir;
  auto folder = dir / "locked";
  WriteFile(folder / "t.ini", "[A]\r\nK=old\r\n");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  ExpectCannotWrite([&] { IniFile(folder / "t.ini").WriteString("A", "K", "new"); },
                    folder / "t.ini");
  EXPECT_EQ(ReadFile(folder / "t.ini"), "[A]\r\nK=old\r\n");
}

TEST(IniFileWrite, UnreadableFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
  TempFolder dir;
  auto path = dir / "t.ini";
  WriteFile(path, "[A]\r\nK=old\r\n[B]\r\nX=y\r\n");
  fs::permissions(path, fs::perms::owner_write);
  IniFile file(path);
  EXPECT_EQ(file.ReadString("A", "K", "default"), "default");
  ExpectCannotWrite([&] { file.WriteString("A", "K", "new"); }, path);
  fs::permissions(path, fs::perms::owner_read, fs::perm_options::add);
  EXPECT_EQ(ReadFile(path), "[A]\r\nK=old\r\n[B]\r\nX=y\r\n");
}

TEST(IniFileWrite, WritesThroughASymbolicLink) {
  TempFolder dir;
  WriteFile(dir / "real.ini", "[A]\r\nK=1\r\n");
  fs::create_symlink(dir / "real.ini", dir / "link.ini");
  IniFile(dir / "link.ini").WriteString("A", "K", "2");
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFile(dir / "real.ini"), "[A]\r\nK=2\r\n");
}

}  // namespace
}  // namespace orvane
