#include <gtest/gtest.h>

#include "platform/Path.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteFile;

TEST(ProgramFolder, HomeThenPortableCopyThenUserDataFolder) {
  TempFolder root;
  const fs::path portable = root / "portable";
  const fs::path installed = root / "usr" / "bin";
  WriteFile(portable / "orvane.ini", "");
  WriteFile(installed / "orvane", "");
  fs::create_directories(root / "odd" / "orvane.ini");
  struct Case {
    fs::path home, executable, expected;
  } cases[] = {
      {root / "home", portable, root / "home"},
      {{}, portable, portable},
      {{}, installed, root / "data" / "orvane"},
      // Only a file of that name marks a portable copy, not a folder.
      {{}, root / "odd", root / "data" / "orvane"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseProgramFolder({c.home, c.executable, root / "data"}, "orvane.ini"), c.expected)
        << c.executable;
}

}  // namespace
}  // namespace orvane
