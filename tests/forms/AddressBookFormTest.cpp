#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "FormsFixture.h"
#include "addressbook/forms/AdBookForm.h"
#include "addressbook/forms/AddressForm.h"
#include "addressbook/forms/BookPane.h"
#include "addressbook/forms/GroupTreeWidget.h"
#include "addressbook/forms/SendListForm.h"
#include "gui/QtText.h"
#include "gui/StringGrid.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

// Three contacts in アドレス帳, under a tree with one more group.
void WriteAddressBook(const fs::path& home) {
  WriteFile(home / "Address/Address.dat", WideToSjis(u"アドレス帳\r\n\t仕事\r\n"));
  const char* contacts[][3] = {{"加藤 一郎", "かとう いちろう", "kato@example.jp"},
                               {"安藤 花子", "あんどう はなこ", "ando@example.jp"},
                               {"木村 次郎", "きむら じろう", "kimura@example.jp"}};
  std::string lines;
  for (int i = 0; i < 3; ++i) {
    const std::string id = "000" + std::to_string(i);
    WriteFile(home / "Address" / (id + ".adr"),
              WideToSjis(Utf8ToWide(std::string("[Person]\r\nName=") + contacts[i][0] +
                                    "\r\nKana=" + contacts[i][1] + "\r\nAddress=" + contacts[i][2] +
                                    "\r\nMark=" + std::to_string(i) + "\r\n")));
    lines += id + "\r\n";
  }
  WriteFile(home / "Address/アドレス帳.dat", lines);
}

QStringList Row(const QAbstractItemModel* model, int row) {
  QStringList texts;
  for (int column = 0; column < model->columnCount(); ++column)
    texts << model->index(row, column).data().toString();
  return texts;
}

QStringList Headers(const QAbstractItemModel* model) {
  QStringList texts;
  for (int column = 0; column < model->columnCount(); ++column)
    texts << model->headerData(column, Qt::Horizontal).toString();
  return texts;
}

void SelectGroup(BookPane* pane, int topLevel) {
  QTreeWidget* tree = pane->Tree();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualItemRect(tree->topLevelItem(topLevel)).center());
}

class AddressBookWindows : public ::testing::Test {
 protected:
  AddressBookWindows() {
    TestApplication();
    WriteAddressBook(home.Path());
  }

  BookServices Services() {
    return {settings,  clock,  shell,
            clipboard, prompt, [this](QWidget*, int topic) { helpTopics.push_back(topic); }};
  }

  TempFolder home;
  IniFileUnit settings{home.Path()};
  SystemClock clock;
  RecordingShell shell;
  MemoryClipboard clipboard;
  ScriptedPrompt prompt;
  std::vector<int> helpTopics;
};

TEST_F(AddressBookWindows, TheEditorListsTheSelectedGroupsContacts) {
  TBookFormView book(nullptr, Services());
  book.show();
  EXPECT_EQ(book.windowTitle(), QStringLiteral("アドレス帳編集"));
  auto* count = book.findChild<QLabel*>(QStringLiteral("Count"));
  ASSERT_TRUE(count);
  EXPECT_EQ(count->text(), QStringLiteral("登録: 0 件"));
  QTreeWidget* tree = book.Pane()->Tree();
  QStringList groups;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) groups << tree->topLevelItem(i)->text(0);
  EXPECT_EQ(groups, QStringList({"アドレス帳", "お気に入り", "一時保存"}));
  EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("仕事"));

  SelectGroup(book.Pane(), 0);
  auto* list = book.findChild<QTreeView*>(QStringLiteral("ListView"));
  ASSERT_TRUE(list);
  EXPECT_EQ(book.Pane()->List(), list) << "details by default";
  const QAbstractItemModel* model = list->model();
  EXPECT_EQ(Headers(model), QStringList({"名前", "ふりがな", "アドレス"}));
  ASSERT_EQ(model->rowCount(), 3);
  EXPECT_EQ(Row(model, 0), QStringList({"加藤 一郎", "かとう いちろう", "kato@example.jp"}));
  EXPECT_EQ(Row(model, 2), QStringList({"木村 次郎", "きむら じろう", "kimura@example.jp"}));
  EXPECT_FALSE(model->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_EQ(count->text(), QStringLiteral("登録: 3 件"));

  // Nothing selected: the contact entries are off.
  auto* edit = book.findChild<QAction*>(QStringLiteral("EditContact"));
  ASSERT_TRUE(edit);
  EXPECT_FALSE(edit->isEnabled());

  // The search button か selects the first reading of the row, then the next.
  auto* ka = book.findChild<QToolButton*>(QStringLiteral("SearchButton1"));
  ASSERT_TRUE(ka);
  QTest::mouseClick(ka, Qt::LeftButton);
  EXPECT_EQ(book.Pane()->Selection(), ListSelection({0}));
  QTest::mouseClick(ka, Qt::LeftButton);
  EXPECT_EQ(book.Pane()->Selection(), ListSelection({2}));
  EXPECT_TRUE(edit->isEnabled());
  auto* name = book.findChild<QLabel*>(QStringLiteral("PreviewName"));
  EXPECT_EQ(name->text(), QStringLiteral("木村 次郎"));

  // Alt+A is the あ row's, not the menu bar's アドレス(&A).
  QTest::keyClick(list, Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(book.Pane()->Selection(), ListSelection({1}));

  // Ctrl+C: names and addresses, each line ended by CR.
  book.Pane()->SelectAll();
  book.findChild<QAction*>(QStringLiteral("CopyNames"))->trigger();
  EXPECT_EQ(clipboard.text,
            u"加藤 一郎 <kato@example.jp>\r安藤 花子 <ando@example.jp>\r"
            u"木村 次郎 <kimura@example.jp>\r");

  // Another style shows the same contacts as icons.
  book.findChild<QAction*>(QStringLiteral("ViewStyle0"))->trigger();
  EXPECT_NE(book.Pane()->List(), list);
  EXPECT_EQ(book.Pane()->List()->model()->rowCount(), 3);
  book.close();
  EXPECT_EQ(settings.ReadGeneralString("AddBook", "Style", ""), "0");
}

TEST_F(AddressBookWindows, TheSendListsKindIsPickedFromADropDownList) {
  std::vector<TSendItem> list = {{u"花子", u"hanako@example.jp", TSendItem::kTo},
                                 {u"次郎", u"jiro@example.jp", TSendItem::kCc}};
  TSendListForm form(list);
  form.Refresh();
  TSendListFormView window(nullptr, form, {0, 0, 380, 140});
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("送信先のリスト"));
  TStringGrid* grid = window.Grid();
  EXPECT_EQ(Headers(grid->model()), QStringList({"適用:", "名前:", "アドレス:"}));
  EXPECT_GE(grid->columnWidth(1), 150);
  ASSERT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cell(1, 0), QStringLiteral("Cc:"));

  // A click on the kind opens its list; typing is not possible there.
  const QModelIndex kind = grid->model()->index(0, 0);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(kind).center());
  auto* choices = grid->findChild<QComboBox*>(QStringLiteral("GridChoices"));
  ASSERT_TRUE(choices);
  EXPECT_FALSE(choices->isEditable());
  QStringList items;
  for (int i = 0; i < choices->count(); ++i) items << choices->itemText(i);
  EXPECT_EQ(items, QStringList({"To:", "Cc:", "Bcc:"}));
  emit choices->activated(2);
  EXPECT_EQ(list[0].Kind, TSendItem::kBcc);
  // The counts wait for the next refresh.
  auto* toCount = window.findChild<QLabel*>(QStringLiteral("Panel1"));
  EXPECT_EQ(toCount->text(), QStringLiteral("To: 1 件"));
  window.Refresh();
  EXPECT_EQ(toCount->text(), QStringLiteral("To: 0 件"));
  EXPECT_EQ(grid->Cell(0, 0), QStringLiteral("Bcc:"));

  // Typing an address goes into the entry at each key, in Latin input.
  grid->edit(grid->model()->index(1, 2));
  auto* editor = grid->findChild<QLineEdit*>(QStringLiteral("GridEditor"));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(editor->inputMethodHints() & Qt::ImhLatinOnly);
  editor->selectAll();
  QTest::keyClicks(editor, "j@example.com");
  EXPECT_EQ(list[1].Address, u"j@example.com");

  // The user cannot close the window; the picker can.
  EXPECT_FALSE(window.close());
  window.Release();
  EXPECT_FALSE(window.isVisible());
}

class PickerInMainWindow : public MainWindowTest {};

TEST_F(PickerInMainWindow, ThePickedRecipientsReturnToTheMainWindow) {
  WriteAddressBook(home.Path());
  Open();
  form->AddressFieldEdited(u"\"Yamada, Taro\" <taro@example.jp>");
  bool sawPicker = false;
  QStringList rows;
  QTimer::singleShot(0, [&] {
    auto* picker = dynamic_cast<TAddFormView*>(QApplication::activeModalWidget());
    ASSERT_TRUE(picker);
    sawPicker = true;
    TSendListFormView* window = picker->SendListWindow();
    EXPECT_TRUE(window->isVisible());
    for (int column = 0; column < 3; ++column) rows << window->Grid()->Cell(0, column);
    SelectGroup(picker->Pane(), 0);
    picker->Pane()->Select({0, 2}, 0);
    picker->findChild<QAction*>(QStringLiteral("AddToSendList"))->trigger();
    EXPECT_EQ(window->Grid()->RowCount(), 3);
    // The first added goes to Cc.
    window->Grid()->OnChoicePicked(1, 0, 1);
    picker->accept();
  });
  Find<QAction>("ActionInputToaddress")->trigger();
  ASSERT_TRUE(sawPicker);
  EXPECT_EQ(rows, QStringList({"To:", "Yamada, Taro", "taro@example.jp"}));
  EXPECT_EQ(WideToUtf8(form->Draft.ToText),
            "\"Yamada, Taro\" <taro@example.jp>,木村 次郎 <kimura@example.jp>");
  EXPECT_EQ(WideToUtf8(form->Draft.CcText), "加藤 一郎 <kato@example.jp>");
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(),
            QStringLiteral("\"Yamada, Taro\" <taro@example.jp>,木村 次郎 <kimura@example.jp>"));
  EXPECT_EQ(Find<QLabel>("Panel1")->text(), QStringLiteral("CC"));
  // The send list's place is kept for the next time.
  EXPECT_NE(IniFileUnit(home.Path()).ReadGeneralString("SendList", "Width", ""), "");
}

// The road as a user takes it, by mouse and keys only: the "..." button
// beside the address field, a click on a contact and Enter, a Ctrl+click
// and Insert, the kind of the second row changed to Bcc with the arrow key
// in its drop-down list, OK.
TEST_F(PickerInMainWindow, ByMouseAndKeysFromTheButtonToToAndBcc) {
  WriteAddressBook(home.Path());
  Open();
  bool sawPicker = false;
  QTimer::singleShot(0, [&] {
    auto* picker = dynamic_cast<TAddFormView*>(QApplication::activeModalWidget());
    ASSERT_TRUE(picker);
    sawPicker = true;
    // The offscreen platform leaves activation to the program.
    QApplication::setActiveWindow(picker);
    SelectGroup(picker->Pane(), 0);
    QAbstractItemView* list = picker->Pane()->List();
    auto rowCentre = [list](int row) {
      return list->visualRect(list->model()->index(row, 0)).center();
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::keyClick(list, Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(1));
    QTest::keyClick(list, Qt::Key_Insert);

    TStringGrid* grid = picker->SendListWindow()->Grid();
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cell(1, 1), QStringLiteral("木村 次郎"));
    const QModelIndex kind = grid->model()->index(1, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(kind).center());
    auto* choices = grid->findChild<QComboBox*>(QStringLiteral("GridChoices"));
    ASSERT_TRUE(choices);
    QTest::keyClick(choices, Qt::Key_Down);
    QTest::keyClick(choices, Qt::Key_Down);
    picker->findChild<QPushButton*>(QStringLiteral("BTN_OK"))->click();
  });
  QTest::mouseClick(Find<QToolButton>("BTN_InputToAddress"), Qt::LeftButton);
  ASSERT_TRUE(sawPicker);
  EXPECT_EQ(WideToUtf8(form->Draft.ToText), "安藤 花子 <ando@example.jp>");
  EXPECT_EQ(WideToUtf8(form->Draft.CcText), "");
  EXPECT_EQ(WideToUtf8(form->Draft.BccText), "木村 次郎 <kimura@example.jp>");
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(), QStringLiteral("安藤 花子 <ando@example.jp>"));
}

TEST_F(PickerInMainWindow, FavouritesAreOfferedInTheAddressFieldsPopup) {
  WriteAddressBook(home.Path());
  WriteFile(home / "Address/お気に入り.dat", "0001\r\n0009\r\n0002\r\n");
  Open({"mailto=a@example.jp"});
  auto* popup = view->findChild<QMenu*>(QStringLiteral("PM_Edit_To"));
  ASSERT_TRUE(popup);
  emit popup->aboutToShow();
  auto* favourites = popup->findChild<QMenu*>(QStringLiteral("PM_E_Fav"));
  ASSERT_TRUE(favourites);
  EXPECT_TRUE(favourites->isEnabled());
  ASSERT_EQ(favourites->actions().size(), 2);
  EXPECT_EQ(favourites->actions()[0]->text(), QStringLiteral("安藤 花子"));
  EXPECT_EQ(favourites->actions()[1]->data().toInt(), 2) << "the line of the favourites file";
  favourites->actions()[1]->trigger();
  EXPECT_EQ(Find<QLineEdit>("EDIT_To")->text(),
            QStringLiteral("a@example.jp,木村 次郎 <kimura@example.jp>"));

  WriteFile(home / "Address/お気に入り.dat", "0009\r\n");
  emit popup->aboutToShow();
  EXPECT_TRUE(favourites->actions().isEmpty());
  EXPECT_FALSE(favourites->isEnabled());
}

}  // namespace
}  // namespace orvane::test
