#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// The files of a folder, hidden ones too: a copy must leave none behind.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().native());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CopyFileAtomically, CopiesReplacesOrLeavesTheTargetWhole) {
  enum Source { Text, Missing, Folder, Pipe };
  struct Case {
    const char* what;
    Source source;
    bool targetExists;
    bool cancel;
    bool copied;        // returned true
    bool throws;        // FileError
    std::string after;  // the target's content afterwards, "" when absent
  } cases[] = {
      {"new copy", Text, false, false, true, false, "new content"},
      {"replaces", Text, true, false, true, false, "new content"},
      {"cancelled keeps the old", Text, true, true, false, false, "old"},
      {"cancelled leaves nothing", Text, false, true, false, false, ""},
      {"missing source", Missing, true, false, false, true, "old"},
      {"a folder is no file", Folder, false, false, false, true, ""},
      {"a pipe is not waited on", Pipe, false, false, false, true, ""},
  };
  for (const Case& c : cases) {
    TempFolder from, to;
    const fs::path source = from / "source.txt";
    switch (c.source) {
      case Text:
        WriteFile(source, "new content");
        break;
      case Missing:
        break;
      case Folder:
        fs::create_directory(source);
        break;
      case Pipe:
        ASSERT_EQ(::mkfifo(source.c_str(), 0600), 0);
        break;
    }
    const fs::path target = to / "添付.txt";
    if (c.targetExists) WriteFile(target, "old");
    int calls = 0;
    bool copied = false;
    bool threw = false;
    try {
      copied = CopyFileAtomically(source, target, [&](std::uintmax_t done, std::uintmax_t total) {
        ++calls;
        EXPECT_EQ(done, total);
        return !c.cancel;
      });
    } catch (const FileError&) {
      threw = true;
    }
    EXPECT_EQ(copied, c.copied) << c.what;
    EXPECT_EQ(threw, c.throws) << c.what;
    EXPECT_EQ(c.after.empty() ? "" : ReadFile(target), c.after) << c.what;
    EXPECT_EQ(Names(to.Path()),
              c.after.empty() ? std::vector<std::string>{} : std::vector<std::string>{"添付.txt"})
        << c.what;
    EXPECT_EQ(calls, c.source == Text ? 1 : 0) << c.what;
  }
}

TEST(CopyFileAtomically, ReportsEveryPieceOfALargeFileAndKeepsItsMode) {
  TempFolder dir;
  const fs::path source = dir / "large.bin";
  std::string bytes(3 * (1 << 20) + 5, 'x');
  bytes[0] = 'a';
  bytes.back() = 'z';
  WriteFile(source, bytes);
  fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::vector<std::uintmax_t> seen;
  ASSERT_TRUE(
      CopyFileAtomically(source, dir / "copy.bin", [&](std::uintmax_t done, std::uintmax_t total) {
        EXPECT_EQ(total, bytes.size());
        seen.push_back(done);
        return true;
      }));
  EXPECT_EQ(seen, (std::vector<std::uintmax_t>{1 << 20, 2 << 20, 3 << 20, bytes.size()}));
  EXPECT_EQ(ReadFile(dir / "copy.bin"), bytes);
  EXPECT_EQ(fs::status(dir / "copy.bin").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(CopyFileAtomically, TakesNamesAsLongAsTheFileSystemAllows) {
  TempFolder dir;
  const std::string name(250, 'n');
  WriteFile(dir / "s", "x");
  ASSERT_TRUE(CopyFileAtomically(dir / "s", dir / name));
  EXPECT_EQ(ReadFile(dir / name), "x");
}

}  // namespace
}  // namespace orvane
