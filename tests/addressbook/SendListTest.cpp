#include "BookFixture.h"
#include "addressbook/Address.h"
#include "addressbook/SendListUnit.h"

namespace orvane::test {
namespace {

std::vector<std::vector<std::u16string>> Grid(const TSendListForm& form) {
  std::vector<std::vector<std::u16string>> rows;
  for (int row = 0; row < form.RowCount(); ++row)
    rows.push_back({form.Cell(row, 0), form.Cell(row, 1), form.Cell(row, 2)});
  return rows;
}

TEST(SendList, RowsAndCountsFollowTheList) {
  struct Case {
    const char* what;
    std::vector<TSendItem> list;
    std::vector<std::vector<std::u16string>> grid;
    std::array<std::u16string, 3> panels;
  } cases[] = {
      {"empty",
       {},
       {{u"適用:", u"名前:", u"アドレス:"}, {u"", u"", u""}},
       {u"To: 0 件", u"Cc: 0 件", u"Bcc: 0 件"}},
      {"To, To, Cc",
       {{u"花子", u"hanako@example.jp", 0},
        {u"", u"taro@example.jp", 0},
        {u"次郎", u"jiro@example.jp", 1}},
       {{u"適用:", u"名前:", u"アドレス:"},
        {u"To:", u"花子", u"hanako@example.jp"},
        {u"To:", u"", u"taro@example.jp"},
        {u"Cc:", u"次郎", u"jiro@example.jp"}},
       {u"To: 2 件", u"Cc: 1 件", u"Bcc: 0 件"}},
      {"one Bcc",
       {{u"a", u"a@example.jp", 2}},
       {{u"適用:", u"名前:", u"アドレス:"}, {u"Bcc:", u"a", u"a@example.jp"}},
       {u"To: 0 件", u"Cc: 0 件", u"Bcc: 1 件"}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSendListForm form(c.list);
    form.Refresh();
    EXPECT_EQ(Grid(form), c.grid);
    for (int panel = 1; panel <= 3; ++panel)
      EXPECT_EQ(form.Panel(panel), c.panels[static_cast<size_t>(panel - 1)]);
  }
}

TEST(SendList, EditsGoIntoTheRowsEntryAtOnce) {
  std::vector<TSendItem> list = {{u"花子", u"hanako@example.jp", 0},
                                 {u"次郎", u"jiro@example.jp", 0}};
  TSendListForm form(list);
  form.Refresh();
  form.KindPicked(2, 2);
  form.NameEdited(1, u"山田 花子");
  form.AddressEdited(1, u"hanako@example.com");
  // The header row, rows without an entry and kinds outside the list
  // change nothing.
  form.KindPicked(0, 1);
  form.KindPicked(3, 1);
  form.KindPicked(1, 3);
  form.NameEdited(0, u"x");
  form.AddressEdited(5, u"x");
  EXPECT_EQ(list[0].Name, u"山田 花子");
  EXPECT_EQ(list[0].Address, u"hanako@example.com");
  EXPECT_EQ(list[0].Kind, 0);
  EXPECT_EQ(list[1].Kind, 2);
  EXPECT_EQ(list.size(), 2u);
  // The counts change at the next refresh only.
  EXPECT_EQ(form.Panel(3), u"Bcc: 0 件");
  form.Refresh();
  EXPECT_EQ(form.Panel(1), u"To: 1 件");
  EXPECT_EQ(form.Panel(3), u"Bcc: 1 件");
  EXPECT_EQ(form.Cell(2, 0), u"Bcc:");
}

TEST(SendList, TheWindowsPlaceDefaultsToTheScreensBottomRightCorner) {
  TempFolder home;
  IniFileUnit settings(home.Path());
  EXPECT_EQ(TSendListForm::ReadGeometry(settings, 1920, 1080),
            (WindowGeometry{1540, 940, 380, 140}));
  settings.WriteGeneralString("SendList", "Width", "500");
  EXPECT_EQ(TSendListForm::ReadGeometry(settings, 1920, 1080),
            (WindowGeometry{1420, 940, 500, 140}));
  TSendListForm::WriteGeometry(settings, {10, 20, 400, 160});
  EXPECT_EQ(TSendListForm::ReadGeometry(settings, 1920, 1080), (WindowGeometry{10, 20, 400, 160}));
}

class Picker : public BookFixture {
 protected:
  Picker() {
    Contact("0000", "田中", "たなか", "tanaka@example.jp");
    Contact("0001", "佐藤", "さとう", "sato@example.jp");
    Contact("0002", "鈴木", "すずき", "suzuki@example.jp");
    GroupFile(u"アドレス帳", "0000\r\n0001\r\n0002\r\n");
    picker.Open();
    picker.Browser().SelectGroup(u"アドレス帳");
  }

  std::vector<TSendItem> list;
  TAddForm picker{settings, clipboard, list};
};

TEST_F(Picker, AddingThreeContactsAppendsThreeToRows) {
  EXPECT_EQ(picker.Menu({}), (PickerMenuState{false, false}));
  picker.AddToSendList({0, 1, 2});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(picker.SendList().Panel(1), u"To: 3 件");
  EXPECT_EQ(picker.SendList().RowCount(), 4);
  EXPECT_EQ(picker.SendList().Cell(3, 1), u"鈴木");
  EXPECT_EQ(picker.SendList().Cell(3, 2), u"suzuki@example.jp");
  EXPECT_EQ(picker.Menu({1}), (PickerMenuState{true, true}));
}

TEST_F(Picker, RemovingEntriesByGridRow) {
  picker.AddToSendList({0, 2});
  picker.RemoveFromSendList(0);  // the header row
  picker.RemoveFromSendList(3);  // below the entries
  EXPECT_EQ(list.size(), 2u);
  picker.RemoveFromSendList(1);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, u"鈴木");
  picker.RemoveFromSendList(1);
  EXPECT_TRUE(list.empty());
  // The last entry gone: header and one empty row.
  EXPECT_EQ(picker.SendList().RowCount(), 2);
  EXPECT_EQ(picker.SendList().Cell(1, 2), u"");
  EXPECT_EQ(picker.Menu({0}), (PickerMenuState{true, false}));
}

TEST_F(Picker, ClosingWritesThePreviewAndTheSendListsPlaceButNotTheStyle) {
  picker.Browser().SetStyle(ListStyle::kLargeIcons);
  picker.Browser().SetPreviewVisible(false);
  picker.Close({5, 6, 390, 150});
  EXPECT_EQ(settings.ReadGeneralString("View", "Visible", ""), "0");
  EXPECT_EQ(settings.ReadGeneralString("AddBook", "Style", "none"), "none");
  EXPECT_EQ(TSendListForm::ReadGeometry(settings, 800, 600), (WindowGeometry{5, 6, 390, 150}));
}

}  // namespace
}  // namespace orvane::test
