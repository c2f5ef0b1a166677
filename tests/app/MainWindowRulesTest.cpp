#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "app/MainActions.h"
#include "app/VersionUnit.h"
#include "platform/Error.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

std::string U8(const WideString& text) {
  return WideToUtf8(text);
}

class MainWindowRules : public MainFormTest {
 protected:
  void SetUp() override {
    form = StartForm();
    ASSERT_FALSE(createError);
    form->OnChanged = [this] { ++changes; };
  }
  std::unique_ptr<TOrvaneMainForm> form;
  int changes = 0;
};

TEST_F(MainWindowRules, ToButtonCyclesThroughTheThreeLists) {
  form->Draft.ToText = u"to@example.jp";
  form->Draft.CcText = u"cc@example.jp";
  form->Draft.BccText = u"bcc@example.jp";
  form->ShowDraftState();
  struct Step {
    ShownList tag;
    const char* caption;
    const char* field;
  } steps[] = {{ShownList::Cc, "CC", "cc@example.jp"},
               {ShownList::Bcc, "BCC", "bcc@example.jp"},
               {ShownList::To, "To", "to@example.jp"}};
  for (const auto& step : steps) {
    form->ToButtonClicked();
    EXPECT_EQ(form->ToButtonTag(), step.tag);
    EXPECT_EQ(U8(form->ToButtonCaption()), step.caption);
    EXPECT_EQ(U8(form->AddressFieldText()), step.field);
  }
  EXPECT_GE(changes, 3);
}

TEST_F(MainWindowRules, ChoosingAListFromTheMenuUsesMixedCase) {
  form->Draft.CcText = u"cc@example.jp";
  form->ShowList(ShownList::Cc);
  EXPECT_EQ(U8(form->ToButtonCaption()), "Cc");
  EXPECT_EQ(U8(form->AddressFieldText()), "cc@example.jp");
  form->ShowList(ShownList::Bcc);
  EXPECT_EQ(U8(form->ToButtonCaption()), "Bcc");
  form->ShowList(ShownList::To);
  EXPECT_EQ(U8(form->ToButtonCaption()), "To");
  // The click cycle goes on from the list chosen.
  form->ShowList(ShownList::Cc);
  form->ToButtonClicked();
  EXPECT_EQ(U8(form->ToButtonCaption()), "BCC");
}

TEST_F(MainWindowRules, EditingTheAddressFieldWritesTheShownListAtOnce) {
  form->AddressFieldEdited(u"太郎 <taro@example.jp>");
  EXPECT_EQ(U8(form->Draft.ToText), "太郎 <taro@example.jp>");
  EXPECT_TRUE(form->Panel(1).empty());

  form->ShowList(ShownList::Bcc);
  EXPECT_EQ(form->AddressFieldText(), u"");
  form->AddressFieldEdited(u"b");
  EXPECT_EQ(U8(form->Panel(2)), "BCC");
  form->AddressFieldEdited(u"");
  EXPECT_TRUE(form->Panel(2).empty());
  EXPECT_EQ(U8(form->Draft.ToText), "太郎 <taro@example.jp>");

  form->ShowList(ShownList::Cc);
  form->AddressFieldEdited(u"c@example.jp");
  EXPECT_EQ(U8(form->Panel(1)), "CC");
  EXPECT_TRUE(form->Panel(2).empty());
  EXPECT_EQ(U8(form->Draft.CcText), "c@example.jp");
}

TEST_F(MainWindowRules, StatusPanelsFollowTheDraft) {
  form->SetReplyToText(u"r@example.jp");
  EXPECT_EQ(U8(form->Panel(3)), "R");
  form->SetInReplyToText(u"<id@example.jp>");
  EXPECT_EQ(U8(form->Panel(4)), "In");
  form->SetReplyToText(u"");
  EXPECT_TRUE(form->Panel(3).empty());
  EXPECT_EQ(U8(form->ReplyToInput().prompt), "ReplyToフィールドを設定してください");
  EXPECT_EQ(U8(form->InReplyToInput().caption), "InReplyTo");
  EXPECT_EQ(U8(form->InReplyToInput().text), "<id@example.jp>");

  EXPECT_TRUE(form->Panel(5).empty());
  WriteFile(home / "AttachFiles" / ".hidden", "x");
  form->UpdateAttachPanel();
  EXPECT_TRUE(form->Panel(5).empty());
  WriteFile(home / "AttachFiles" / "a.pdf", "x");
  form->UpdateAttachPanel();
  EXPECT_EQ(U8(form->Panel(5)), "添付");
}

TEST_F(MainWindowRules, ClockPanelShowsTheLongTimeFormat) {
  clock.now = FromLocalDateTime(2024, 3, 9, 7, 5, 3);
  form->TickClock();
  EXPECT_EQ(U8(form->Panel(6)), "7:05:03");
  clock.now = FromLocalDateTime(2024, 3, 9, 23, 59, 59);
  form->TickClock();
  EXPECT_EQ(U8(form->Panel(6)), "23:59:59");
}

TEST_F(MainWindowRules, ClearAllOnTheAddressFieldEmptiesOnlyTheShownList) {
  form->Draft.ToText = u"to@example.jp";
  form->Draft.CcText = u"cc@example.jp";
  form->Draft.BccText = u"bcc@example.jp";
  form->Draft.Subject = u"件名";
  form->ShowList(ShownList::Cc);
  form->EditCommand(MenuCommand::ClearAll, kAddressFieldTag, {});
  EXPECT_TRUE(form->Draft.CcText.empty());
  EXPECT_TRUE(form->AddressFieldText().empty());
  EXPECT_EQ(U8(form->Draft.ToText), "to@example.jp");
  EXPECT_EQ(U8(form->Draft.BccText), "bcc@example.jp");
  EXPECT_EQ(U8(form->Draft.Subject), "件名");

  form->EditCommand(MenuCommand::ClearAll, kSubjectFieldTag, {});
  EXPECT_TRUE(form->Draft.Subject.empty());
  EXPECT_EQ(U8(form->Draft.ToText), "to@example.jp");
}

TEST_F(MainWindowRules, CutCopyPasteGoThroughTheClipboard) {
  form->AddressFieldEdited(u"a@x.jp, 花子 <b@x.jp>");
  EXPECT_EQ(form->EditCommand(MenuCommand::Copy, kAddressFieldTag, {8, 2}), (FieldSelection{8, 2}));
  EXPECT_EQ(U8(clipboard.text), "花子");

  EXPECT_EQ(form->EditCommand(MenuCommand::Cut, kAddressFieldTag, {0, 8}), (FieldSelection{0, 0}));
  EXPECT_EQ(U8(clipboard.text), "a@x.jp, ");
  EXPECT_EQ(U8(form->Draft.ToText), "花子 <b@x.jp>");

  clipboard.text = u"c@x.jp\r\nsecond line";
  EXPECT_EQ(form->EditCommand(MenuCommand::Paste, kAddressFieldTag, {0, 2}),
            (FieldSelection{6, 0}));
  EXPECT_EQ(U8(form->Draft.ToText), "c@x.jp <b@x.jp>");

  form->SubjectEdited(u"hello");
  clipboard.text = u"big ";
  form->EditCommand(MenuCommand::Paste, kSubjectFieldTag, {0, 0});
  EXPECT_EQ(U8(form->Draft.Subject), "big hello");
  EXPECT_EQ(U8(form->Draft.ToText), "c@x.jp <b@x.jp>");
  EXPECT_EQ(form->EditCommand(MenuCommand::SelectAll, kSubjectFieldTag, {1, 1}),
            (FieldSelection{0, 9}));

  // An empty selection copies nothing; a selection past the end is clipped.
  const int writes = clipboard.writes;
  form->EditCommand(MenuCommand::Copy, kSubjectFieldTag, {3, 0});
  form->EditCommand(MenuCommand::Cut, kSubjectFieldTag, {9, 0});
  EXPECT_EQ(clipboard.writes, writes);
  form->EditCommand(MenuCommand::Cut, kSubjectFieldTag, {4, 100});
  EXPECT_EQ(U8(clipboard.text), "hello");
  EXPECT_EQ(U8(form->Draft.Subject), "big ");
}

TEST_F(MainWindowRules, ToolBarFollowsTheSettings) {
  struct Case {
    const char* settings;
    bool flat;
    std::vector<int> codes;
  } cases[] = {
      {"[ToolBar]\r\nItemCount=3\r\nItem1=21\r\nItem2=0\r\nItem3=15\r\n", false, {21, 0, 15}},
      {"[ToolBar]\r\nItemCount=0\r\nItem1=21\r\n", false, {}},
      {"[ToolBar]\r\nItemCount=2\r\nItem1=30\r\n", false, {30, 0}},
      {"[ToolBar]\r\nItemCount=-1\r\nItem1=3\r\n[ToolBarOpt]\r\nFlat=1\r\n",
       true,
       {1, 0, 7, 0, 9, 5, 11, 0, 14, 15}},
      {"[ToolBar]\r\nItemCount=-2\r\n", false, {}},
      {"[ToolBar]\r\nItemCount=many\r\n", false, {1, 0, 7, 0, 9, 5, 11, 0, 14, 15}},
  };
  for (const auto& c : cases) {
    WriteFile(home / "orvane.ini", c.settings);
    form->BuildToolBar();
    EXPECT_EQ(form->ToolBar().flat, c.flat) << c.settings;
    EXPECT_EQ(form->ToolBar().codes, c.codes) << c.settings;
  }
  EXPECT_EQ(ActionOfToolBarCode(21), ActionId::Exit);
  EXPECT_EQ(ActionOfToolBarCode(15), ActionId::HelpContents);
  EXPECT_EQ(ActionOfToolBarCode(0), std::nullopt);
  EXPECT_EQ(ActionOfToolBarCode(30), std::nullopt);
  EXPECT_EQ(ActionOfToolBarCode(-1), std::nullopt);

  WriteFile(home / "orvane.ini", "[ToolBar]\r\nItemCount=2147483647\r\nItem1=7\r\n");
  form->BuildToolBar();
  EXPECT_EQ(form->ToolBar().codes.front(), 7);
  EXPECT_LE(form->ToolBar().codes.size(), 256u);
}

TEST_F(MainWindowRules, ToolBarCodesAreTheActionsImages) {
  for (int code = 1; code < kImageCount; ++code) {
    auto action = ActionOfToolBarCode(code);
    ASSERT_TRUE(action) << code;
    EXPECT_EQ(ActionInfoOf(*action).imageIndex, code);
  }
  EXPECT_EQ(MainActions().size(), 26u);
}

TEST_F(MainWindowRules, PostSelfIsStoredAtOnce) {
  form->TogglePostSelf();
  EXPECT_TRUE(form->Draft.PostSelf);
  EXPECT_EQ(ReadFile(home / "orvane.ini"), "[Option]\r\nSendToSelf=1\r\n");
  form->TogglePostSelf();
  EXPECT_FALSE(form->Settings().ReadGeneralBool("Option", "SendToSelf", true));

  // A toggle that cannot be stored stays as it was.
  fs::remove(home / "orvane.ini");
  fs::create_directory(home / "orvane.ini");
  EXPECT_THROW(form->TogglePostSelf(), FileError);
  EXPECT_FALSE(form->Draft.PostSelf);
}

TEST_F(MainWindowRules, AccountMenuSelectsExistingAccounts) {
  WriteFile(home / "orvane.ini", "");
  WriteFile(home / "home.ini", "[Account]\r\nName=Taro\r\nAddress=taro@example.jp\r\n");
  WriteFile(home / "仕事.ini", "[Account]\r\nName=\x8e\x52\x93\x63\r\nAddress=w@example.jp\r\n");
  auto items = form->AccountMenuItems();
  ASSERT_EQ(items, (std::vector<WideString>{u"home", u"仕事"}));
  form->AccountMenuItemChosen(items[1]);
  EXPECT_EQ(U8(form->Caption()), "Orvane - 山田 <w@example.jp> [仕事]");
  form->SelectAccount("gone");
  EXPECT_EQ(U8(form->Caption()), "Orvane - 山田 <w@example.jp> [仕事]");
  // The caption is read from the account file each time.
  WriteFile(home / "仕事.ini", "[Account]\r\nName=W\r\nAddress=new@example.jp\r\n");
  form->UpdateCaption();
  EXPECT_EQ(U8(form->Caption()), "Orvane - W <new@example.jp> [仕事]");
}

TEST_F(MainWindowRules, HelpAndReadmeAreFoundInTheProgramFolderThenBesideTheProgram) {
  EXPECT_THROW(form->HelpBookIndex(), Error);
  try {
    form->OpenReadme();
    ADD_FAILURE() << "no read-me to open";
  } catch (const Error& error) {
    EXPECT_EQ(U8(error.Message()), "Readme.txt が見つかりません");
  }
  try {
    form->HelpBookIndex();
  } catch (const Error& error) {
    EXPECT_EQ(U8(error.Message()), "ヘルプファイルが見つかりません");
  }

  WriteFile(install / "Orvane.hlp" / "index.html", "<html></html>");
  WriteFile(install / "Readme.txt", "read me");
  EXPECT_EQ(form->HelpBookIndex(), install / "Orvane.hlp" / "index.html");
  form->OpenReadme();
  EXPECT_EQ(shell.openedFiles.back(), install / "Readme.txt");

  WriteFile(home / "Orvane.hlp" / "index.html", "<html></html>");
  WriteFile(home / "Readme.txt", "mine");
  EXPECT_EQ(form->HelpBookIndex(), form->Settings().ProgramFolder() / "Orvane.hlp" / "index.html");
  form->OpenReadme();
  EXPECT_EQ(shell.openedFiles.back(), form->Settings().ProgramFolder() / "Readme.txt");
}

TEST_F(MainWindowRules, VersionDialogLines) {
  form->ShowList(ShownList::Cc);
  form->UseMakerAddress();
  EXPECT_EQ(U8(form->Draft.CcText), "Orvane Project<orvane@example.org>");
  EXPECT_EQ(form->AddressFieldText(), form->Draft.CcText);
  form->OpenMakerPage();
  EXPECT_EQ(shell.openedUrls, std::vector<WideString>{kMakerUrl});
}

TEST_F(MainWindowRules, BodyFileChosenInTheDialogKeepsTheSubject) {
  form->SubjectEdited(u"mine");
  form->SetBodyFileName(home / "other.txt");
  EXPECT_EQ(form->Draft.BodyFileName, home / "other.txt");
  EXPECT_EQ(U8(form->Draft.Subject), "mine");
  EXPECT_EQ(form->BodyFileFilter().patterns, (std::vector<WideString>{u"*.txt", u"*.eml"}));
}

}  // namespace
}  // namespace orvane::test
