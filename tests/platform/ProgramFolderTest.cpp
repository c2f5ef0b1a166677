#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/CodePage.h"
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
  const fs::path data = root / "data", home = root / "user";
  const fs::path installed = root / "usr" / "bin";
  struct Case {
    fs::path orvaneHome, executable, xdgDataHome, home;
    std::optional<fs::path> expected;
  } cases[] = {
      {root / "home", root / "portable", data, home, root / "home"},
      {{}, root / "portable", data, home, root / "portable"},
      {{}, installed, data, home, data / "orvane"},
      {{}, root / "odd", data, home, data / "orvane"},
      {{}, installed, {}, home, home / ".local" / "share" / "orvane"},
      // A relative place would be one of whatever the current folder is.
      {{}, installed, "data", home, home / ".local" / "share" / "orvane"},
      {{}, installed, {}, {}, std::nullopt},
      {{}, installed, "data", "user", std::nullopt},
      {{}, root / "portable", {}, {}, root / "portable"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseProgramFolder({c.orvaneHome, c.executable, c.xdgDataHome, c.home}, "orvane.ini"),
              c.expected)
        << c.executable << " " << c.xdgDataHome << " " << c.home;
}

// Sets an environment variable for the scope, or unsets it (nullptr).
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProgramFolder, TheUserDataFolderIsMadePrivateAndNoHomeIsRefused) {
  TempFolder root;
  ScopedVariable orvaneHome("ORVANE_HOME", nullptr), data("XDG_DATA_HOME", nullptr);
  {
    ScopedVariable home("HOME", root.Path().c_str());
    const fs::path folder = root / ".local" / "share" / "orvane";
    EXPECT_EQ(DefaultProgramFolder("no-such.ini"), folder);
    for (const fs::path& made : {root / ".local", root / ".local" / "share", folder})
      EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
  }
  for (const char* home : {static_cast<const char*>(nullptr), "", "relative"}) {
    ScopedVariable unset("HOME", home);
    EXPECT_THROW(DefaultProgramFolder("no-such.ini"), NoProgramFolderError) << (home ? home : "");
  }
}

TEST(ProgramFolder, AFolderOpenToOthersIsToldAndLeftAsItIs) {
  struct Case {
    fs::perms mode;
    const char* told;  // nullptr: nothing
  } cases[] = {
      {fs::perms::owner_all, nullptr},
      {fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec, "モード 0750"},
      {fs::perms::owner_all | fs::perms::others_exec, "モード 0701"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    fs::permissions(folder.Path(), c.mode);
    const std::optional<WideString> notice = OpenFolderNotice(folder.Path());
    EXPECT_EQ(notice.has_value(), c.told != nullptr) << static_cast<int>(c.mode);
    if (notice && c.told) {
      EXPECT_NE(notice->find(PathToWide(folder.Path()) + u" は他のユーザーにも開かれています (" +
                             Utf8ToWide(c.told)),
                WideString::npos)
          << WideToUtf8(*notice);
    }
    EXPECT_EQ(fs::status(folder.Path()).permissions(), c.mode);
  }
}

}  // namespace
}  // namespace orvane
