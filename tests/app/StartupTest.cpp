#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "platform/FileSystem.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

using Startup = MainFormTest;

TEST_F(Startup, WithNoSettingsFiles) {
  auto form = StartForm();
  ASSERT_FALSE(createError);
  EXPECT_EQ(form->AccountName, "NewAccount");
  EXPECT_FALSE(fs::exists(home / "NewAccount.ini"));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"move 0,0", "show"}));
  EXPECT_EQ(form->ToolBar().codes, (std::vector<int>{1, 0, 7, 0, 9, 5, 11, 0, 14, 15}));
  EXPECT_FALSE(form->ToolBar().flat);
  EXPECT_EQ(WideToUtf8(form->Caption()), "Orvane -  <> [NewAccount]");
  EXPECT_EQ(WideToUtf8(form->VersionText), "Version 3.2.6");
  EXPECT_EQ(form->Draft.Priority, PriorityItem::Normal);
  EXPECT_FALSE(form->Draft.PostSelf);
  EXPECT_TRUE(form->ActivationHandlersInstalled());
  EXPECT_EQ(fs::status(home / "AttachFiles").permissions(), fs::perms::owner_all);
  EXPECT_EQ(WideToUtf8(form->ToButtonCaption()), "To");
  for (int panel = 1; panel <= 5; ++panel) EXPECT_TRUE(form->Panel(panel).empty()) << panel;
}

// A program folder open to other users is told on the status bar, not
// narrowed behind the user's back.
TEST_F(Startup, AProgramFolderOpenToOthersIsToldAndLeftAsItIs) {
  const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                         fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(home.Path(), open);
  auto form = StartForm();
  ASSERT_FALSE(createError);
  EXPECT_NE(WideToUtf8(form->Panel(0)).find("(モード 0755)。chmod 700"), std::string::npos)
      << WideToUtf8(form->Panel(0));
  EXPECT_EQ(fs::status(home.Path()).permissions(), open);
}

TEST_F(Startup, ReadsPositionSendToSelfAndAccount) {
  WriteFile(home / "orvane.ini", "[Window]\r\nLeft=120\r\nTop=$40\r\n[Option]\r\nSendToSelf=1\r\n");
  WriteFile(home / "Home.ini",
            "[Account]\r\nName=" + WideToSjis(u"山田 太郎") + "\r\nAddress=taro@example.jp\r\n");
  auto form = StartForm({"mailto=hanako@example.jp", "-x"});
  ASSERT_FALSE(createError);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"move 120,64", "show"}));
  EXPECT_TRUE(form->Draft.PostSelf);
  EXPECT_EQ(form->AccountName, "Home");
  EXPECT_EQ(WideToUtf8(form->Caption()), "Orvane - 山田 太郎 <taro@example.jp> [Home]");
  // The last step shows the draft: the address field holds the To list.
  EXPECT_EQ(WideToUtf8(form->AddressFieldText()), "hanako@example.jp");
}

TEST_F(Startup, DefaultAccountIsTheFirstIniFileOtherThanTheGeneralOne) {
  WriteFile(home / "ORVANE.INI", "");
  WriteFile(home / ".ini", "");
  fs::create_directory(home / "folder.ini");
  WriteFile(home / "notes.txt", "");
  auto form = MakeForm();
  EXPECT_EQ(form->FindDefaultAccount(), "NewAccount");
  WriteFile(home / "Zeta.ini", "");
  WriteFile(home / "Beta.Ini", "");
  EXPECT_EQ(form->FindDefaultAccount(), "Beta");
  EXPECT_EQ(form->AccountMenuItems(), (std::vector<WideString>{u"Beta", u"Zeta"}));
}

TEST_F(Startup, ClearAttachFolderKeepsHiddenFilesAndFolders) {
  WriteFile(home / "AttachFiles" / "a.pdf", "x");
  WriteFile(home / "AttachFiles" / "写真.jpg", "x");
  WriteFile(home / "AttachFiles" / ".hidden", "x");
  WriteFile(home / "AttachFiles" / "sub" / "inner.txt", "x");
  auto form = StartForm();
  ASSERT_FALSE(createError);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(home / "AttachFiles"))
    left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".hidden", "sub"}));
  EXPECT_TRUE(fs::exists(home / "AttachFiles" / "sub" / "inner.txt"));
}

TEST_F(Startup, AFileErrorSkipsTheRemainingStepsButTheWindowStillOpens) {
  auto form = StartForm({"+o", "/x"});
  ASSERT_TRUE(createError);
  EXPECT_NE(createError->find(u"作成できません"), WideString::npos);
  EXPECT_TRUE(form->VersionText.empty());
  EXPECT_FALSE(form->ActivationHandlersInstalled());
  EXPECT_TRUE(window.calls.empty());  // neither moved nor animated
  EXPECT_TRUE(shell.openedFiles.empty());
  // The steps before the error ran.
  EXPECT_EQ(form->AccountName, "NewAccount");
  EXPECT_EQ(form->ToolBar().codes.size(), 10u);
}

TEST_F(Startup, AnAttachFolderThatCannotBeMadeStopsStartUp) {
  WriteFile(home / "AttachFiles", "a file where the folder belongs");
  auto form = StartForm({"mailto=x@example.jp"});
  ASSERT_TRUE(createError);
  EXPECT_TRUE(form->Draft.ToText.empty());
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(Startup, FadeWhenInactive) {
  struct Case {
    const char* options;
    bool enabled;
    std::vector<int> steps;
  } cases[] = {
      {"", false, {}},
      {"AlphaBlend=0\r\nAlphaBlendValue=100\r\n", false, {}},
      {"AlphaBlend=1\r\nGoBlend=1\r\n", true, {230}},
      {"AlphaBlend=1\r\nGoBlend=1\r\nAlphaBlendValue=300\r\n", true, {255}},
      {"AlphaBlend=1\r\nAlphaBlendValue=256\r\n", true, {}},
      {"AlphaBlend=1\r\nAlphaBlendValue=255\r\n", true, {255}},
      {"AlphaBlend=1\r\nAlphaBlendValue=253\r\n", true, {255, 254, 253}},
  };
  for (const auto& c : cases) {
    WriteFile(home / "orvane.ini", std::string("[Option]\r\n") + c.options);
    auto form = MakeForm();
    Translucency fade = form->FadeWhenInactive();
    EXPECT_EQ(fade.enabled, c.enabled) << c.options;
    EXPECT_EQ(fade.opacitySteps, c.steps) << c.options;
    EXPECT_EQ(form->OpaqueWhenActive(), Translucency{});
  }

  WriteFile(home / "orvane.ini", "[Option]\r\nAlphaBlend=1\r\n");
  Translucency fade = MakeForm()->FadeWhenInactive();
  ASSERT_EQ(fade.opacitySteps.size(), 26u);
  for (size_t i = 0; i < fade.opacitySteps.size(); ++i)
    EXPECT_EQ(fade.opacitySteps[i], 255 - static_cast<int>(i));
}

TEST_F(Startup, ClosingStoresThePositionAndEmptiesTheAttachFolder) {
  auto form = StartForm();
  WriteFile(home / "AttachFiles" / "a.pdf", "x");
  WriteFile(home / "AttachFiles" / ".keep", "x");
  fs::create_directory(home / "AttachFiles" / "sub");
  EXPECT_FALSE(form->Close(310, -20));
  EXPECT_EQ(Settings().ReadGeneralInteger("Window", "Left", 0), 310);
  EXPECT_EQ(Settings().ReadGeneralInteger("Window", "Top", 0), -20);
  EXPECT_FALSE(fs::exists(home / "AttachFiles" / "a.pdf"));
  EXPECT_TRUE(fs::exists(home / "AttachFiles" / ".keep"));
  EXPECT_TRUE(fs::is_directory(home / "AttachFiles" / "sub"));

  // The next start places the window where it was.
  window.calls.clear();
  StartForm();
  EXPECT_EQ(window.calls.front(), "move 310,-20");
}

TEST_F(Startup, ClosingEmptiesTheAttachFolderEvenWhenThePositionCannotBeStored) {
  auto form = StartForm();
  WriteFile(home / "AttachFiles" / "a.pdf", "x");
  // A folder where the general settings file belongs cannot be written over.
  fs::create_directory(home / "orvane.ini");
  auto error = form->Close(1, 2);
  ASSERT_TRUE(error);
  EXPECT_NE(error->find(u"に書き込めません"), WideString::npos);
  EXPECT_FALSE(fs::exists(home / "AttachFiles" / "a.pdf"));
}

}  // namespace
}  // namespace orvane::test
