#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(Wildcard, MatchesWithoutRegardToAsciiCase) {
  struct Case {
    const char* name;
    const char* wildcard;
    bool match;
  } cases[] = {
      {"work.ini", "*.ini", true},
      {"Work.INI", "*.ini", true},
      {"work.ini.bak", "*.ini", false},
      {".ini", "*.ini", true},
      {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},
      {"anything", "*", true},
      {"", "*", true},
      {"abc", "a*b*c", true},
      {"aXbYc", "a*b*c", true},
      {"abcb", "a*b", true},
      {"acb", "a*bc", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.name, c.wildcard), c.match) << c.name;
}

TEST(ListDirectory, ClassifiesHiddenSystemAndFolders) {
  TempFolder dir;
  WriteFile(dir / "b.txt", "b");
  WriteFile(dir / "a.txt", "a");
  WriteFile(dir / ".hidden", "h");
  fs::create_directory(dir / "sub");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  fs::create_symlink(dir / "a.txt", dir / "link.txt");

  auto entries = ListDirectory(dir.Path());
  std::vector<std::string> plain;
  for (const auto& e : entries)
    if (e.IsPlainFile()) plain.push_back(e.name);
  EXPECT_EQ(plain, (std::vector<std::string>{"a.txt", "b.txt", "link.txt"}));

  auto find = [&](const std::string& name) {
    for (const auto& e : entries)
      if (e.name == name) return e;
    return DirEntry{};
  };
  EXPECT_TRUE(find(".hidden").isHidden);
  EXPECT_TRUE(find("sub").isDirectory);
  EXPECT_TRUE(find("pipe").isSystem);
  EXPECT_TRUE(ListDirectory(dir / "missing").empty());
  EXPECT_EQ(ListDirectory(dir.Path(), "*.TXT").size(), 3u);
}

TEST(ReadRegularFile, ReadsOnlyARegularFileUpToItsLimit) {
  TempFolder dir;
  WriteFile(dir / "16", std::string(16, 'x'));
  WriteFile(dir / "17", std::string(17, 'x'));
  fs::create_symlink("/dev/zero", dir / "zero");
  const std::u16string notRegular = u"ファイル %s は通常のファイルではないので読めません";
  const std::u16string tooLarge = u"ファイル %s は大きすぎるので読めません (16 バイトまで)";
  const struct {
    fs::path file;
    std::u16string error;  // empty: read
  } cases[] = {
      {dir / "16", u""},
      {dir / "17", tooLarge},
      {dir / "zero", notRegular},
      // A regular file that tells no size is cut off where the limit lies.
      {"/proc/self/status", tooLarge},
  };
  for (const auto& c : cases) {
    try {
      EXPECT_EQ(ReadRegularFile(c.file, 16), std::string(16, 'x')) << c.file;
      EXPECT_EQ(c.error, u"") << c.file;
    } catch (const FileError& e) {
      EXPECT_EQ(e.Message(), FormatMessage(c.error, PathToWide(c.file)));
    }
  }
}

TEST(ReplaceFileAtomically, KeepsTheOldFileWhenItCannotWrite) {
  TempFolder dir;
  auto file = dir / "orvane.ini";
  WriteFile(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  try {
    ReplaceFileAtomically(file, "new", fs::perms::owner_read | fs::perms::owner_write);
    FAIL() << "a read-only file was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Message(), FormatMessage(u"%s に書き込めません", PathToWide(file)));
  }
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_EQ(ListDirectory(dir.Path(), ".*").size(), 0u) << "a temporary file was left behind";

  // A folder that cannot hold files: its path runs through a regular file.
  EXPECT_THROW(ReplaceFileAtomically(file / "x.ini", "new", fs::perms::owner_all), FileError);
}

TEST(ReplaceFileAtomically, GivesNewFilesTheirPermissionsAndKeepsOldOnes) {
  TempFolder dir;
  ReplaceFileAtomically(dir / "account.ini", "secret",
                        fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir / "account.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadFile(dir / "account.ini"), "secret");

  WriteFile(dir / "shared.ini", "a");
  fs::permissions(dir / "shared.ini",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  ReplaceFileAtomically(dir / "shared.ini", "b", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir / "shared.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  EXPECT_EQ(ReadFile(dir / "shared.ini"), "b");
}

// A file name of the full 255 bytes (a long Japanese group name) is
// written and replaced, and no hidden file stays beside it.
TEST(ReplaceFileAtomically, WritesANameOfTheFullLength) {
  TempFolder dir;
  std::string name;
  while (name.size() + 3 <= 251) name += "\xe5\x90\x8d";  // 名
  name += ".txt";
  ASSERT_LE(name.size(), 255u);
  ASSERT_GT(name.size(), 247u);
  for (const char* bytes : {"first", "second"})
    ReplaceFileAtomically(dir / name, bytes, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadFile(dir / name), "second");
  EXPECT_EQ(ListDirectory(dir.Path(), ".*").size(), 0u);
}

TEST(RenameFile, NeverReplacesAFile) {
  TempFolder folder;
  WriteFile(folder / "a", "A");
  WriteFile(folder / "b", "B");
  EXPECT_FALSE(RenameFile(folder / "a", folder / "b"));
  EXPECT_FALSE(RenameFile(folder / "missing", folder / "c"));
  EXPECT_EQ(ReadFile(folder / "a"), "A");
  EXPECT_EQ(ReadFile(folder / "b"), "B");
  EXPECT_TRUE(RenameFile(folder / "a", folder / "c"));
  EXPECT_FALSE(fs::exists(folder / "a"));
  EXPECT_EQ(ReadFile(folder / "c"), "A");
}

TEST(Files, ReportFailuresWithThePath) {
  TempFolder dir;
  EXPECT_THROW(CreateEmptyFile(dir / "missing" / "x.txt"), FileError);
  EXPECT_THROW(ReadWholeFile(dir / "missing.txt"), FileError);
  EXPECT_THROW(ReadWholeFile(dir.Path()), FileError);
  CreateEmptyFile(dir / "empty.txt");
  EXPECT_TRUE(FileExists(dir / "empty.txt"));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_EQ(ReadWholeFile(dir / "empty.txt"), "");
  CopyFileTo(dir / "empty.txt", dir / "copy.txt");
  EXPECT_TRUE(RemoveFile(dir / "copy.txt"));
  EXPECT_FALSE(RemoveFile(dir / "copy.txt"));
}

TEST(Files, NewFilesNeverReplaceAFile) {
  TempFolder dir;
  EXPECT_TRUE(WriteNewFile(dir / "a", "first"));
  EXPECT_FALSE(WriteNewFile(dir / "a", "second"));
  EXPECT_EQ(ReadFile(dir / "a"), "first");
  EXPECT_THROW(WriteNewFile(dir / "missing" / "a", "x"), FileError);
}

TEST(Files, WholeFilesOfAnySizeAreRead) {
  TempFolder dir;
  for (size_t size : {0u, 1u, 4095u, 4096u, 70000u}) {
    std::string bytes(size, 'x');
    if (size > 0) bytes.back() = '\0';
    WriteFile(dir / "f", bytes);
    EXPECT_EQ(ReadWholeFile(dir / "f"), bytes) << size;
  }
}

TEST(UserText, ReadsUtf8Utf16AndShiftJis) {
  struct Case {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"\xE6\x97\xA5\xE6\x9C\xAC\r\n", u"日本\r\n"},
      {"\xEF\xBB\xBF\xE6\x97\xA5", u"日"},
      {"\x93\xFA\x96\x7B", u"日本"},  // Shift_JIS, invalid as UTF-8
      {std::string("\xFF\xFE\xE5\x65\x2C\x67", 6), u"日本"},
      {std::string("\xFE\xFF\x65\xE5\x67\x2C", 6), u"日本"},
      {"plain", u"plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUserText(c.bytes), c.text);
}

}  // namespace
}  // namespace orvane
