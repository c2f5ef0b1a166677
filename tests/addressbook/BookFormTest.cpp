#include <functional>

#include "BookFixture.h"
#include "addressbook/AdBook.h"
#include "addressbook/GroupTreeEdit.h"
#include "addressbook/Records.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace orvane::test {
namespace {

using Shown = ScriptedPrompt::Shown;

class BookForm : public BookFixture {
 protected:
  // A tree of three levels under アドレス帳, with two members in 取引先.
  TBookForm& Open() {
    WriteFile(Address("Address.dat"),
              WideToSjis(u"アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n\t家族\r\n"));
    for (const char16_t* group : {u"アドレス帳", u"仕事", u"取引先", u"家族"}) GroupFile(group, "");
    Contact("0000", "田中", "たなか", "tanaka@example.jp");
    Contact("0001", "佐藤", "さとう", "sato@example.jp");
    Contact("0002", "鈴木", "すずき", "suzuki@example.jp");
    GroupFile(u"取引先", "0000\r\n0001\r\n");
    GroupFile(u"一時保存", "0005\r\n");
    book.Open();
    return book;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const TMailItem& item : book.Browser().Items()) names.push_back(WideToUtf8(item.Name));
    return names;
  }

  TBookForm book{settings, clipboard, prompt, editor};
};

// A tree as the test writes it: each group followed by its subgroups in
// braces.
GroupTree Tree(std::initializer_list<GroupNode> nodes) {
  return GroupTree(nodes);
}

bool FindGroupName(const GroupTree& tree, std::u16string_view name) {
  return FindGroup(tree, name).has_value();
}

const GroupNode& NodeOf(const GroupTree& tree, std::u16string_view name) {
  return NodeAt(tree, *FindGroup(tree, name));
}

const GroupTree kOpened = Tree({{u"アドレス帳", {{u"仕事", {{u"取引先", {}}}}, {u"家族", {}}}},
                                {u"お気に入り", {}},
                                {u"一時保存", {}}});

TEST_F(BookForm, GroupMenuRules) {
  enum Action { kAdd, kRename, kDelete };
  struct Case {
    const char* what;
    Action action;
    std::optional<std::u16string> group;  // the selected group
    std::optional<std::u16string> input;  // the input box's answer, nullopt a cancel
    PromptAnswer answer;                  // the question's answer
    std::vector<Shown> shown;             // every box after the input box
    GroupTree tree;
  } cases[] = {
      {"add without a selection",
       kAdd,
       std::nullopt,
       u"顧客",
       PromptAnswer::Yes,
       {},
       Tree({{u"アドレス帳", {{u"仕事", {{u"取引先", {}}}}, {u"家族", {}}}},
             {u"お気に入り", {}},
             {u"一時保存", {}},
             {u"顧客", {}}})},
      {"add under the selected group",
       kAdd,
       u"仕事",
       u"顧客",
       PromptAnswer::Yes,
       {},
       Tree({{u"アドレス帳", {{u"仕事", {{u"取引先", {}}, {u"顧客", {}}}}, {u"家族", {}}}},
             {u"お気に入り", {}},
             {u"一時保存", {}}})},
      {"add cancelled", kAdd, u"仕事", std::nullopt, PromptAnswer::Yes, {}, kOpened},
      {"add empty", kAdd, u"仕事", u"", PromptAnswer::Yes, {}, kOpened},
      {"add a taken name",
       kAdd,
       u"仕事",
       u"家族",
       PromptAnswer::Yes,
       {{Shown::Error, u"すでに同名のグループがあります\r家族", u"Orvane"}},
       kOpened},
      {"add a built-in name",
       kAdd,
       std::nullopt,
       u"一時保存",
       PromptAnswer::Yes,
       {{Shown::Error, u"すでに同名のグループがあります\r一時保存", u"Orvane"}},
       kOpened},
      {"add a name with a slash",
       kAdd,
       u"仕事",
       u"../仕事",
       PromptAnswer::Yes,
       {{Shown::Error, u"グループの作成に失敗しました", u"Orvane"}},
       kOpened},
      {"rename a top-level group",
       kRename,
       u"アドレス帳",
       u"顧客",
       PromptAnswer::Yes,
       {{Shown::Error, u"このグループ名は変更できません", u"Orvane"}},
       kOpened},
      {"rename unchanged", kRename, u"取引先", u"取引先", PromptAnswer::Yes, {}, kOpened},
      {"rename to a taken name",
       kRename,
       u"取引先",
       u"家族",
       PromptAnswer::Yes,
       {{Shown::Error, u"すでに同名のグループがあります\r家族", u"Orvane"}},
       kOpened},
      {"rename to a name that is not one file",
       kRename,
       u"取引先",
       u"..",
       PromptAnswer::Yes,
       {{Shown::Error, u"変更に失敗しました", u"Orvane"}},
       kOpened},
      {"rename",
       kRename,
       u"取引先",
       u"顧客",
       PromptAnswer::Yes,
       {},
       Tree({{u"アドレス帳", {{u"仕事", {{u"顧客", {}}}}, {u"家族", {}}}},
             {u"お気に入り", {}},
             {u"一時保存", {}}})},
      {"delete a top-level group",
       kDelete,
       u"一時保存",
       std::nullopt,
       PromptAnswer::Yes,
       {{Shown::Error, u"このグループは削除できません", u"Orvane"}},
       kOpened},
      {"delete a group with subgroups",
       kDelete,
       u"仕事",
       std::nullopt,
       PromptAnswer::Yes,
       {{Shown::Error, u"子グループがあるので削除できません", u"Orvane"}},
       kOpened},
      {"delete answered No",
       kDelete,
       u"家族",
       std::nullopt,
       PromptAnswer::No,
       {{Shown::Question, u"現在のグループを削除してもいいですか?\r\n※削除すると元に戻せません",
         u"Orvane"}},
       kOpened},
      {"delete",
       kDelete,
       u"家族",
       std::nullopt,
       PromptAnswer::Yes,
       {{Shown::Question, u"現在のグループを削除してもいいですか?\r\n※削除すると元に戻せません",
         u"Orvane"},
        {Shown::Information,
         u"削除したグループに登録されていたアドレスは、一時保存グループへ移動しました", u"Orvane"}},
       Tree({{u"アドレス帳", {{u"仕事", {{u"取引先", {}}}}}},
             {u"お気に入り", {}},
             {u"一時保存", {}}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    IniFileUnit caseSettings(folder.Path());
    ScriptedPrompt casePrompt;
    casePrompt.inputs.push_back(c.input);
    casePrompt.answers.push_back(c.answer);
    ScriptedEditor caseEditor(folder / "Address");
    TBookForm form(caseSettings, clipboard, casePrompt, caseEditor);
    WriteFile(folder / "Address/Address.dat",
              WideToSjis(u"アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n\t家族\r\n"));
    for (const char* group : {"仕事", "取引先", "家族"})
      WriteFile(folder / "Address" / (std::string(group) + ".dat"), "");
    form.Open();
    switch (c.action) {
      case kAdd:
        form.AddGroup(c.group);
        break;
      case kRename:
        form.RenameGroup(*c.group);
        break;
      case kDelete:
        form.DeleteGroup(*c.group);
        break;
    }
    std::vector<Shown> shown = casePrompt.shown;
    if (!shown.empty() && shown.front().kind == Shown::InputBox) {
      EXPECT_EQ(shown.front(), (Shown{Shown::InputBox, u"追加するグループ名を入力してください",
                                      u"グループの追加"}));
      // Renaming offers the current name.
      EXPECT_EQ(casePrompt.presets.front(), c.action == kRename ? *c.group : u"");
      shown.erase(shown.begin());
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(form.Browser().Tree(), c.tree);
    // Every group of the tree has its file, and only those.
    for (const char16_t* group : {u"仕事", u"取引先", u"家族", u"顧客"}) {
      EXPECT_EQ(FileExists(folder / "Address" / WideToUtf8(std::u16string(group) + u".dat")),
                FindGroupName(c.tree, group))
          << WideToUtf8(group);
    }
  }
}

TEST_F(BookForm, RenamingTheShownGroupThenAddingAContactStoresItUnderTheNewName) {
  Open();
  book.Browser().SelectGroup(u"取引先");
  prompt.inputs.push_back(u"顧客");
  ASSERT_EQ(book.RenameGroup(u"取引先"), u"顧客");
  EXPECT_EQ(book.Browser().CurrentGroupFile(), u"顧客.dat");
  EXPECT_FALSE(FileExists(Group(u"取引先")));

  editor.saves.push_back("高橋");
  ASSERT_TRUE(book.AddContact());
  EXPECT_EQ(editor.opened, (std::vector<AnsiString>{""}));
  EXPECT_EQ(GroupText(u"顧客"), "0000\r\n0001\r\n0003\r\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"田中", "佐藤", "高橋"}));
  EXPECT_EQ(book.Browser().CountText(), u"登録: 3 件");
}

TEST_F(BookForm, DeletingAGroupMovesItsMembersToTemporaryStorage) {
  Open();
  book.Browser().SelectGroup(u"取引先");
  prompt.answers.push_back(PromptAnswer::Yes);
  ASSERT_TRUE(book.DeleteGroup(u"取引先"));
  EXPECT_FALSE(FileExists(Group(u"取引先")));
  EXPECT_EQ(GroupText(u"一時保存"), "0005\r\n0000\r\n0001\r\n");
  EXPECT_EQ(book.Browser().CurrentGroup(), std::nullopt);
  EXPECT_TRUE(book.Browser().Items().empty());
  // The contacts themselves stay.
  EXPECT_TRUE(FileExists(Address("0000.adr")));

  // Written when the window closes: the tree without the group.
  book.Close();
  EXPECT_EQ(SjisToWide(ReadFile(Address("Address.dat"))), u"アドレス帳\r\n\t仕事\r\n\t家族\r\n");
}

TEST_F(BookForm, AddingAContactNeedsAGroupAndASave) {
  Open();
  editor.saves.push_back("高橋");
  EXPECT_FALSE(book.AddContact()) << "no group selected";
  EXPECT_TRUE(editor.opened.empty());

  book.Browser().SelectGroup(u"家族");
  editor.saves = {std::nullopt};
  EXPECT_FALSE(book.AddContact());
  EXPECT_EQ(GroupText(u"家族"), "");

  // Editing and saving shows the new values at once.
  book.Browser().SelectGroup(u"取引先");
  editor.saves = {"田中 一郎"};
  ASSERT_TRUE(book.EditContact({0}));
  EXPECT_EQ(editor.opened.back(), "0000");
  EXPECT_EQ(Names(), (std::vector<std::string>{"田中 一郎", "佐藤"}));
}

TEST_F(BookForm, ContactMenuIsEnabledByTheSelection) {
  Open();
  book.Browser().SelectGroup(u"取引先");
  GroupFile(u"取引先", "0000\r\n0001\r\n0002\r\n");
  book.Browser().Reload();
  struct Case {
    ListSelection selection;
    ContactMenuState state;
  } cases[] = {
      {{}, {false, false, false}},
      {{0}, {true, false, true}},
      {{1}, {true, true, true}},
      {{2}, {true, true, false}},
      // The first selected contact decides.
      {{0, 2}, {true, false, true}},
      {{1, 2}, {true, true, true}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(book.ContactMenu(c.selection), c.state) << c.selection.size();
}

TEST_F(BookForm, MovingAContactSwapsItWithItsNeighbourAndStoresTheOrder) {
  struct Case {
    ListSelection selection;
    bool up;
    std::optional<size_t> row;
    std::string file;
  } cases[] = {
      {{1}, true, 0, "0001\r\n0000\r\n0002\r\n"},
      {{1}, false, 2, "0000\r\n0002\r\n0001\r\n"},
      {{0}, true, std::nullopt, "0000\r\n0001\r\n0002\r\n"},
      {{2}, false, std::nullopt, "0000\r\n0001\r\n0002\r\n"},
      // Only a single selection moves.
      {{0, 1}, false, std::nullopt, "0000\r\n0001\r\n0002\r\n"},
      {{}, false, std::nullopt, "0000\r\n0001\r\n0002\r\n"},
  };
  Open();
  for (const Case& c : cases) {
    GroupFile(u"取引先", "0000\r\n0001\r\n0002\r\n");
    book.Browser().SelectGroup(u"取引先");
    EXPECT_EQ(c.up ? book.MoveUp(c.selection) : book.MoveDown(c.selection), c.row);
    EXPECT_EQ(GroupText(u"取引先"), c.file);
  }
}

TEST_F(BookForm, CopyingAndDeletingContacts) {
  Open();
  GroupFile(u"取引先", "0000\r\n0009\r\n0001\r\n");
  book.Browser().SelectGroup(u"取引先");

  book.CopyContacts({0, 1});
  EXPECT_EQ(prompt.Texts(Shown::Error),
            (std::vector<WideString>{u"アドレスのコピーに失敗しました"}));
  EXPECT_EQ(GroupText(u"取引先"), "0000\r\n0009\r\n0001\r\n0003\r\n");
  EXPECT_EQ(ReadFile(Address("0003.adr")), ReadFile(Address("0000.adr")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"田中", "", "佐藤", "田中"}));

  prompt.shown.clear();
  prompt.answers = {PromptAnswer::No};
  book.DeleteContacts({0});
  EXPECT_EQ(prompt.shown.front(),
            (Shown{Shown::Question,
                   u"選択しているアドレスを削除してもいいですか?\r\n※削除すると元に戻せません",
                   u"Orvane"}));
  EXPECT_TRUE(FileExists(Address("0000.adr")));

  // From the last selected to the first; the row without a file fails.
  prompt.shown.clear();
  prompt.answers = {PromptAnswer::Yes};
  book.DeleteContacts({1, 3});
  EXPECT_EQ(prompt.Texts(Shown::Error), (std::vector<WideString>{u"削除に失敗しました"}));
  EXPECT_FALSE(FileExists(Address("0003.adr")));
  EXPECT_EQ(GroupText(u"取引先"), "0000\r\n0009\r\n0001\r\n");
  EXPECT_EQ(book.Browser().CountText(), u"登録: 3 件");
}

TEST_F(BookForm, ClipboardEntriesEndEachLineWithCr) {
  Open();
  GroupFile(u"取引先", "0000\r\n0009\r\n0001\r\n");
  book.Browser().SelectGroup(u"取引先");
  struct Case {
    ListSelection selection;
    bool names;
    std::u16string text;
  } cases[] = {
      {{0, 2}, false, u"tanaka@example.jp\rsato@example.jp\r"},
      {{0, 2}, true, u"田中 <tanaka@example.jp>\r佐藤 <sato@example.jp>\r"},
      {{1}, true, u" <>\r"},
      {{}, false, u""},
  };
  for (const Case& c : cases) {
    if (c.names)
      book.Browser().CopyNamesAndAddresses(c.selection);
    else
      book.Browser().CopyAddresses(c.selection);
    EXPECT_EQ(clipboard.text, c.text);
  }
}

TEST_F(BookForm, DroppingGroupsAndContacts) {
  struct Case {
    const char16_t* group;
    const char16_t* target;
    bool moved;
  } cases[] = {
      {u"家族", u"取引先", true},          {u"仕事", u"家族", true},
      {u"アドレス帳", u"一時保存", false},                               // a top-level group stays
      {u"仕事", u"仕事", false},           {u"仕事", u"取引先", false},  // into its own subgroup
  };
  for (const Case& c : cases) {
    TempFolder folder;
    IniFileUnit caseSettings(folder.Path());
    TBookForm form(caseSettings, clipboard, prompt, editor);
    WriteFile(folder / "Address/Address.dat",
              WideToSjis(u"アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n\t家族\r\n"));
    form.Open();
    EXPECT_EQ(form.DropGroup(c.group, c.target), c.moved) << WideToUtf8(c.group);
    const GroupTree& tree = form.Browser().Tree();
    if (c.moved) {
      const GroupNode& target = NodeOf(tree, c.target);
      ASSERT_FALSE(target.Children.empty());
      EXPECT_EQ(target.Children.back().Name, c.group);
    } else {
      EXPECT_EQ(tree, kOpened);
    }
  }

  Open();
  book.Browser().SelectGroup(u"取引先");
  book.DropContacts({1}, u"家族");
  EXPECT_EQ(GroupText(u"取引先"), "0000\r\n");
  EXPECT_EQ(GroupText(u"家族"), "0001\r\n");
  EXPECT_EQ(book.Browser().CurrentGroup(), u"家族");
  EXPECT_EQ(Names(), (std::vector<std::string>{"佐藤"}));
}

TEST_F(BookForm, OpeningReadsTheViewAndClosingWritesItWithTheTree) {
  struct Case {
    const char* style;
    ListStyle read;
  } cases[] = {
      {nullptr, ListStyle::kDetails}, {"0", ListStyle::kLargeIcons}, {"1", ListStyle::kSmallIcons},
      {"2", ListStyle::kList},        {"3", ListStyle::kDetails},    {"4", ListStyle::kDetails},
      {"-1", ListStyle::kDetails},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    IniFileUnit caseSettings(folder.Path());
    if (c.style) caseSettings.WriteGeneralString("AddBook", "Style", c.style);
    TBookForm form(caseSettings, clipboard, prompt, editor);
    form.Open();
    EXPECT_EQ(form.Browser().Style(), c.read) << (c.style ? c.style : "none");
    EXPECT_TRUE(form.Browser().PreviewVisible());
  }

  Open();
  book.Browser().SetStyle(ListStyle::kList);
  book.Browser().SetPreviewVisible(false);
  book.Close();
  EXPECT_EQ(settings.ReadGeneralString("AddBook", "Style", ""), "2");
  EXPECT_EQ(settings.ReadGeneralString("View", "Visible", ""), "0");
}

TEST_F(BookForm, VCardsAreReadIntoTheShownGroupAndWrittenFromTheSelection) {
  Open();
  book.Browser().SelectGroup(u"家族");
  WriteFile(home / "cards.vcf",
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田 花子\r\nEMAIL:hanako@example.jp\r\n"
            "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田 次郎\r\n"
            "EMAIL:jiro@example.jp\r\nEND:VCARD\r\n");
  book.ImportVCard(home / "cards.vcf");
  EXPECT_EQ(prompt.Texts(Shown::Information),
            (std::vector<WideString>{u"2 件のアドレスを読み込みました"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"山田 花子", "山田 次郎"}));
  EXPECT_EQ(GroupText(u"家族"), "0003\r\n0004\r\n");

  // A file that is not a vCard is told and changes nothing.
  WriteFile(home / "notes.vcf", "これは vCard ではありません\r\n");
  book.ImportVCard(home / "notes.vcf");
  ASSERT_EQ(prompt.Texts(Shown::Error).size(), 1u);
  EXPECT_EQ(prompt.Texts(Shown::Error)[0].rfind(u"notes.vcf を読み込めませんでした。", 0), 0u);
  EXPECT_EQ(GroupText(u"家族"), "0003\r\n0004\r\n");

  book.ExportVCard({1}, home / "out.vcf");
  EXPECT_EQ(prompt.Texts(Shown::Information).back(), u"1 件のアドレスを書き出しました");
  const std::string written = ReadFile(home / "out.vcf");
  EXPECT_NE(written.find("FN:山田 次郎\r\n"), std::string::npos) << written;
  EXPECT_EQ(written.find("花子"), std::string::npos) << written;
}

TEST_F(BookForm, ContactsThatWouldLoseCharactersAreListedBeforeAnyIsSaved) {
  Open();
  book.Browser().SelectGroup(u"家族");
  const std::string note(3000, 'n');
  WriteFile(home / "cards.vcf",
            "BEGIN:VCARD\r\nFN:김민준\r\nNOTE:😀\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nFN:山田\r\nNOTE:" +
                note +
                "\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nEMAIL:li@example.cn\r\nORG:东方\r\nEND:VCARD\r\n");
  prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
  book.ImportVCard(home / "cards.vcf");
  EXPECT_EQ(GroupText(u"家族"), "") << "cancelled: nothing saved";
  book.ImportVCard(home / "cards.vcf");
  const WideString question =
      u"次のアドレスには保存できない文字があり、保存するとその文字は「?」になります:\r\n\r\n"
      u"김민준 (名前、メモ)\r\nli@example.cn (社名)\r\n\r\nこのまま読み込みますか?";
  EXPECT_EQ(prompt.Texts(Shown::Question), (std::vector<WideString>{question, question}));
  EXPECT_EQ(prompt.Texts(Shown::Information),
            (std::vector<WideString>{u"3 件のアドレスを読み込みました"}));
  ASSERT_EQ(GroupText(u"家族"), "0003\r\n0004\r\n0005\r\n");
  EXPECT_EQ(book.Browser().Store().ReadContact("0003").Name, u"???");
  EXPECT_EQ(book.Browser().Store().ReadContact("0004").Memo.size(), note.size()) << "read whole";
}

TEST_F(BookForm, AStoreThatCannotBeOpenedKeepsItsTreeFile) {
  WriteFile(Address("Address.dat"), WideToSjis(u"アドレス帳\r\n\t仕事\r\n"));
  // The favourites group's name is taken by a folder: its file cannot be
  // made, and opening fails.
  std::filesystem::create_directories(Group(u"お気に入り"));
  EXPECT_THROW(book.Open(), Error);
  EXPECT_TRUE(book.Browser().Tree().empty());
  book.Close();
  EXPECT_EQ(SjisToWide(ReadFile(Address("Address.dat"))), u"アドレス帳\r\n\t仕事\r\n");
}

}  // namespace
}  // namespace orvane::test
