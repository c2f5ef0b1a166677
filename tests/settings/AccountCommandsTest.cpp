#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/AccountCommands.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::ScriptedPrompt;
using test::TempFolder;
using test::WriteFile;
using Shown = ScriptedPrompt::Shown;

// The names of every entry below the program folder and its parent that
// the test did not make: nothing may appear outside the program folder.
std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    names.push_back(fs::relative(entry.path(), folder).native());
  std::sort(names.begin(), names.end());
  return names;
}

class AccountCommands : public ::testing::Test {
 protected:
  AccountCommands() { fs::create_directory(home); }
  IniFileUnit Settings() const { return IniFileUnit(home); }
  std::optional<AnsiString> Add(const std::u16string& typed) {
    prompt.inputs.push_back(typed);
    return AddAccount(Settings(), prompt);
  }
  std::optional<AnsiString> Rename(const AnsiString& current, const std::u16string& typed) {
    prompt.inputs.push_back(typed);
    return RenameAccount(Settings(), prompt, current);
  }
  std::vector<WideString> Errors() const { return prompt.Texts(Shown::Error); }

  TempFolder outer;  // the program folder's parent, watched for strays
  fs::path home = outer / "home";
  ScriptedPrompt prompt;
};

TEST_F(AccountCommands, AddingCreatesTheFileWithAnEmptyUser) {
  EXPECT_EQ(Add(u"仕事"), WideToSjis(u"仕事"));
  EXPECT_EQ(ReadFile(home / "仕事.ini"), "[Account]\r\nUser=\r\n");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0],
            (Shown{Shown::InputBox, u"追加するアカウント名を入力してください", u"Orvane"}));
  EXPECT_EQ(prompt.presets, std::vector<WideString>{u""});
}

TEST_F(AccountCommands, AddingAnExistingNameChangesNothing) {
  WriteFile(home / "Work.ini", "[Account]\r\nName=W\r\n");
  for (const char16_t* name : {u"Work", u"work"}) {
    prompt.shown.clear();
    EXPECT_EQ(Add(name), std::nullopt);
    EXPECT_EQ(Errors(), std::vector<WideString>{u"すでに同名のアカウントがあります"});
  }
  EXPECT_EQ(ReadFile(home / "Work.ini"), "[Account]\r\nName=W\r\n");
  EXPECT_EQ(Listing(outer.Path()), (std::vector<std::string>{"home", "home/Work.ini"}));
}

// Names that would leave the program folder, and the empty name, whose
// file ".ini" would be hidden.
TEST_F(AccountCommands, RefusedNamesMakeNoFile) {
  fs::create_directory(home / "sub");
  const std::u16string nul(u"a\0b", 3);
  for (const std::u16string& name :
       {std::u16string(u"../evil"), std::u16string(u"sub/evil"), std::u16string(u"/tmp/evil"),
        std::u16string(u"."), std::u16string(u".."), nul, std::u16string()}) {
    prompt.shown.clear();
    EXPECT_EQ(Add(name), std::nullopt) << WideToUtf8(name);
    EXPECT_EQ(Errors(), std::vector<WideString>{u"追加に失敗しました"}) << WideToUtf8(name);
  }
  WriteFile(home / "work.ini", "[Account]\r\n");
  for (const std::u16string& name :
       {std::u16string(u"../evil"), std::u16string(u".."), nul, std::u16string()}) {
    prompt.shown.clear();
    EXPECT_EQ(Rename("work", name), std::nullopt) << WideToUtf8(name);
    EXPECT_EQ(Errors(), std::vector<WideString>{u"変更に失敗しました"}) << WideToUtf8(name);
  }
  EXPECT_EQ(Listing(outer.Path()), (std::vector<std::string>{"home", "home/sub", "home/work.ini"}));
}

TEST_F(AccountCommands, CancelledInputBoxesDoNothing) {
  WriteFile(home / "work.ini", "[Account]\r\n");
  EXPECT_EQ(AddAccount(Settings(), prompt), std::nullopt);
  EXPECT_EQ(RenameAccount(Settings(), prompt, "work"), std::nullopt);
  EXPECT_EQ(Errors(), std::vector<WideString>{});
  EXPECT_EQ(Listing(home), std::vector<std::string>{"work.ini"});
}

TEST_F(AccountCommands, RenamingMovesTheFile) {
  WriteFile(home / "work.ini", "[Account]\r\nName=W\r\n");
  WriteFile(home / "home.ini", "[Account]\r\nName=H\r\n");
  struct Case {
    AnsiString current;
    const char16_t* typed;
    std::optional<AnsiString> result;
    std::vector<std::string> files;
  } cases[] = {
      {"work", u"office", "office", {"home.ini", "office.ini"}},
      // Taken, also in another letter case.
      {"office", u"home", std::nullopt, {"home.ini", "office.ini"}},
      {"office", u"HOME", std::nullopt, {"home.ini", "office.ini"}},
      // The same account in another letter case takes the new spelling.
      {"office", u"Office", "Office", {"Office.ini", "home.ini"}},
      // No file to rename.
      {"NewAccount", u"other", std::nullopt, {"Office.ini", "home.ini"}},
  };
  for (const Case& c : cases) {
    prompt.shown.clear();
    prompt.presets.clear();
    EXPECT_EQ(Rename(c.current, c.typed), c.result) << c.current;
    EXPECT_EQ(prompt.presets, std::vector<WideString>{SjisToWide(c.current)});
    EXPECT_EQ(Errors(), c.result ? std::vector<WideString>{}
                                 : std::vector<WideString>{u"変更に失敗しました"});
    EXPECT_EQ(Listing(home), c.files) << c.current;
  }
  EXPECT_EQ(ReadFile(home / "Office.ini"), "[Account]\r\nName=W\r\n");
  ASSERT_FALSE(prompt.shown.empty());
  EXPECT_EQ(prompt.shown[0].text, u"新しいアカウント名を入力してください");
}

TEST_F(AccountCommands, DeletingAsksWithNoPreselected) {
  WriteFile(home / "work.ini", "[Account]\r\n");
  // No answer scripted: the preselected button is taken.
  EXPECT_FALSE(DeleteAccount(Settings(), prompt, "work"));
  EXPECT_TRUE(FileExists(home / "work.ini"));
  EXPECT_EQ(prompt.Texts(Shown::Question),
            std::vector<WideString>{
                u"現在のアカウントを削除してもいいですか?\n※削除すると元に戻せません"});
  prompt.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(DeleteAccount(Settings(), prompt, "work"));
  EXPECT_FALSE(FileExists(home / "work.ini"));
  EXPECT_EQ(Errors(), std::vector<WideString>{});
  // Without a file the deletion fails, and the account is chosen anew all the same.
  prompt.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(DeleteAccount(Settings(), prompt, "work"));
  EXPECT_EQ(Errors(), std::vector<WideString>{u"削除に失敗しました"});
}

}  // namespace
}  // namespace orvane
