#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "platform/FileSystem.h"
#include "settings/AccountUnit.h"

namespace orvane::test {
namespace {
using Shown = ScriptedPrompt::Shown;

class AccountActions : public MainFormTest {
 protected:
  std::unique_ptr<TOrvaneMainForm> Start() {
    auto form = StartForm();
    EXPECT_FALSE(createError);
    return form;
  }
};

TEST_F(AccountActions, AnAddedAccountBecomesCurrentAndItsDialogOpens) {
  WriteFile(home / "home.ini", "[Account]\r\nName=H\r\n");
  auto form = Start();
  prompt.inputs.push_back(u"work");
  EXPECT_TRUE(form->AddAccount());
  EXPECT_EQ(form->AccountName, "work");
  EXPECT_EQ(form->Caption(), u"Orvane -  <> [work]");
  EXPECT_EQ(form->AccountMenuItems(), (std::vector<WideString>{u"home", u"work"}));

  // Refused or cancelled: the current account stays, no dialog opens.
  prompt.inputs.push_back(u"home");
  EXPECT_FALSE(form->AddAccount());
  EXPECT_FALSE(form->AddAccount());
  EXPECT_EQ(form->AccountName, "work");
  EXPECT_EQ(prompt.Texts(Shown::Error),
            std::vector<WideString>{u"すでに同名のアカウントがあります"});
}

TEST_F(AccountActions, SavingTheDialogOfNewAccountCreatesItsFile) {
  auto form = Start();
  ASSERT_EQ(form->AccountName, "NewAccount");
  EXPECT_EQ(form->AccountMenuItems(), std::vector<WideString>{});
  TAccountForm dialog(Settings(), prompt, form->AccountName);
  dialog.Show();
  dialog.Fields.name = u"山田";
  dialog.Fields.address = u"taro@example.jp";
  dialog.Save();
  form->UpdateCaption();
  EXPECT_EQ(form->AccountMenuItems(), std::vector<WideString>{u"NewAccount"});
  EXPECT_EQ(form->Caption(), u"Orvane - 山田 <taro@example.jp> [NewAccount]");
}

TEST_F(AccountActions, RenamingFollowsTheNewName) {
  WriteFile(home / "work.ini", "[Account]\r\nName=W\r\n");
  auto form = Start();
  prompt.inputs.push_back(u"office");
  form->RenameAccount();
  EXPECT_EQ(form->AccountName, "office");
  EXPECT_EQ(form->Caption(), u"Orvane - W <> [office]");
  prompt.inputs.push_back(u"../office");
  form->RenameAccount();
  EXPECT_EQ(form->AccountName, "office");
  EXPECT_EQ(prompt.Texts(Shown::Error), std::vector<WideString>{u"変更に失敗しました"});
}

TEST_F(AccountActions, DeletingTheOnlyAccountLeavesNewAccountWithoutAFile) {
  WriteFile(home / "work.ini", "[Account]\r\nName=W\r\n");
  auto form = Start();
  prompt.answers.push_back(PromptAnswer::No);
  form->DeleteAccount();
  EXPECT_EQ(form->AccountName, "work");
  prompt.answers.push_back(PromptAnswer::Yes);
  form->DeleteAccount();
  EXPECT_EQ(form->AccountName, "NewAccount");
  EXPECT_FALSE(FileExists(home / "work.ini"));
  EXPECT_FALSE(FileExists(home / "NewAccount.ini"));
  EXPECT_EQ(form->Caption(), u"Orvane -  <> [NewAccount]");
  EXPECT_EQ(form->AccountMenuItems(), std::vector<WideString>{});
}

TEST_F(AccountActions, DeletingChoosesTheFirstRemainingAccount) {
  WriteFile(home / "a.ini", "[Account]\r\n");
  WriteFile(home / "b.ini", "[Account]\r\n");
  auto form = Start();
  form->SelectAccount("b");
  prompt.answers.push_back(PromptAnswer::Yes);
  form->DeleteAccount();
  EXPECT_EQ(form->AccountName, "a");
}

}  // namespace
}  // namespace orvane::test
