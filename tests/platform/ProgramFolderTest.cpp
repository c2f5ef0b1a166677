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
  WriteFile(root / "portable" / "orvane.ini", "");
  fs::create_directories(root / "odd" / "orvane.ini");  // a folder marks nothing
  const fs::path data = root / "data";
  struct Case {
    fs::path home, executable, expected;
  } cases[] = {
      {root / "home", root / "portable", root / "home"},
      {{}, root / "portable", root / "portable"},
      {{}, root / "usr" / "bin", data / "orvane"},
      {{}, root / "odd", data / "orvane"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseProgramFolder({c.home, c.executable, data}, "orvane.ini"), c.expected)
        << c.executable;
}

}  // namespace
}  // namespace orvane
