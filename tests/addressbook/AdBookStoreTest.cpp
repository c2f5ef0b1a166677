#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "addressbook/AdBookStore.h"
#include "addressbook/Records.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// An address folder inside a program folder, so that a path escaping the
// address folder lands in the test's own folder.
class StoreTest : public ::testing::Test {
 protected:
  fs::path Address(const std::string& name) const { return home / "Address" / name; }
  // A group file's name as the file system spells it.
  fs::path Group(const std::u16string& name) const {
    return home / "Address" / WideToUtf8(name + u".dat");
  }
  void Contact(const std::string& id, const std::string& name) {
    WriteFile(Address(id + ".adr"), "[Person]\r\nName=" + name + "\r\nAddress=" + name +
                                        "@example.jp\r\nKana=" + name + "\r\nMark=3\r\n");
  }

  TempFolder home;
  AdBookStore store{home / "Address"};
};

std::vector<std::string> Ids(const std::vector<TMailItem>& items) {
  std::vector<std::string> ids;
  for (const TMailItem& item : items) ids.push_back(item.Id);
  return ids;
}

TEST_F(StoreTest, FirstUseCreatesTheFolderTheBuiltInGroupsAndAnEmptyTree) {
  GroupTree tree = store.OpenStore();
  EXPECT_EQ(tree, (GroupTree{{u"アドレス帳", {}}, {u"お気に入り", {}}, {u"一時保存", {}}}));
  for (const char16_t* name : {u"アドレス帳", u"お気に入り", u"一時保存", u"Address"}) {
    ASSERT_TRUE(FileExists(Group(name))) << WideToUtf8(name);
    EXPECT_EQ(ReadFile(Group(name)), "");
  }
  // Opening again keeps what is there.
  WriteFile(Group(u"お気に入り"), "0001\r\n");
  WriteFile(Address("Address.dat"), WideToSjis(u"仕事\r\n\t取引先\r\n"));
  EXPECT_EQ(store.OpenStore(),
            (GroupTree{{u"仕事", {{u"取引先", {}}}}, {u"お気に入り", {}}, {u"一時保存", {}}}));
  EXPECT_EQ(ReadFile(Group(u"お気に入り")), "0001\r\n");
}

TEST_F(StoreTest, NewContactIdIsTheSmallestFreeNumber) {
  struct Case {
    std::vector<std::string> files;
    std::string id;
  } cases[] = {
      {{}, "0000"},
      {{"0000.adr"}, "0001"},
      {{"0000.adr", "0002.adr"}, "0001"},
      {{"0001.adr"}, "0000"},
      {{"0000.adr", "0001.adr", "0002.adr", "0003.adr"}, "0004"},
      // Only the four-digit spelling names the number.
      {{"0.adr", "00000.adr", "0000.dat"}, "0000"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    for (const std::string& file : c.files) WriteFile(folder / file, "");
    EXPECT_EQ(AdBookStore(folder.Path()).NewContactId(), c.id) << c.files.size();
  }
}

TEST_F(StoreTest, GroupItemsReadEachLinesContactFile) {
  store.OpenStore();
  Contact("0000", "taro");
  WriteFile(Address("0001.adr"), "[Person]\r\nName=hanako\r\nImage=/tmp/h.png\r\n");
  // A file outside the address folder that a line must never reach.
  WriteFile(home / "orvane.adr", "[Person]\r\nName=secret\r\n");
  WriteFile(Group(u"仕事"), "0000\r\n\r\n0009\n0001\r../orvane\r\n  0000\r\n");

  std::vector<TMailItem> items = store.LoadGroupItems(u"仕事");
  ASSERT_EQ(Ids(items), (std::vector<std::string>{"0000", "0009", "0001", "../orvane", "  0000"}));
  EXPECT_EQ(items[0].Name, u"taro");
  EXPECT_EQ(items[0].Kana, u"taro");
  EXPECT_EQ(items[0].Address, u"taro@example.jp");
  EXPECT_EQ(items[0].Mark, 3);
  EXPECT_EQ(items[2].Name, u"hanako");
  EXPECT_EQ(items[2].Image, u"/tmp/h.png");
  EXPECT_EQ(items[2].Mark, -1) << "a contact without Mark has no icon";
  for (size_t empty : {1u, 3u, 4u}) {
    EXPECT_EQ(items[empty].Name, u"") << empty;
    EXPECT_EQ(items[empty].Address, u"") << empty;
    EXPECT_EQ(items[empty].Mark, -1) << empty;
  }
  // The lines that name no file survive a reordering.
  std::swap(items[0], items[4]);
  store.SaveGroupOrder(u"仕事", items);
  EXPECT_EQ(ReadFile(Group(u"仕事")), "  0000\r\n0009\r\n0001\r\n../orvane\r\n0000\r\n");
}

TEST_F(StoreTest, LoadingAGroupWithoutAFileCreatesIt) {
  store.OpenStore();
  EXPECT_TRUE(store.LoadGroupItems(u"新しい").empty());
  EXPECT_TRUE(FileExists(Group(u"新しい")));
}

TEST_F(StoreTest, AContactInTwoGroupsDeletedFromOneLeavesAnEmptyRowInTheOther) {
  store.OpenStore();
  Contact("0000", "taro");
  Contact("0001", "jiro");
  WriteFile(Group(u"A"), "0000\r\n0001\r\n");
  WriteFile(Group(u"B"), "0001\r\n0000\r\n");
  ASSERT_TRUE(store.DeleteContact(u"A", "0000"));
  EXPECT_FALSE(FileExists(Address("0000.adr")));
  EXPECT_EQ(ReadFile(Group(u"A")), "0001\r\n");
  std::vector<TMailItem> b = store.LoadGroupItems(u"B");
  ASSERT_EQ(Ids(b), (std::vector<std::string>{"0001", "0000"}));
  EXPECT_EQ(b[1].Name, u"");
  EXPECT_EQ(b[1].Mark, -1);
  // The freed id is the next one given out.
  EXPECT_EQ(store.NewContactId(), "0000");
}

TEST_F(StoreTest, DeletingAContactWithoutAFileChangesNothing) {
  store.OpenStore();
  WriteFile(home / "orvane.adr", "keep");
  WriteFile(Group(u"A"), "0005\r\n../orvane\r\n");
  for (const char* id : {"0005", "../orvane", "0005/../../orvane"})
    EXPECT_FALSE(store.DeleteContact(u"A", id)) << id;
  EXPECT_EQ(ReadFile(Group(u"A")), "0005\r\n../orvane\r\n");
  EXPECT_EQ(ReadFile(home / "orvane.adr"), "keep");
}

TEST_F(StoreTest, GroupLinesAreAddedRemovedAndMoved) {
  store.OpenStore();
  store.AddToGroup(u"A", "0003");
  store.AddToGroup(u"A", "0001");
  store.AddToGroup(u"A", "0003");
  EXPECT_EQ(ReadFile(Group(u"A")), "0003\r\n0001\r\n0003\r\n");
  store.RemoveFromGroup(u"A", "0003");
  EXPECT_EQ(ReadFile(Group(u"A")), "0001\r\n0003\r\n") << "only the first line goes";
  store.MoveContact(u"A", u"B", "0001");
  EXPECT_EQ(ReadFile(Group(u"A")), "0003\r\n");
  EXPECT_EQ(ReadFile(Group(u"B")), "0001\r\n");
  WriteFile(Group(u"C"), "abc\r\n0002");
  store.RemoveFromGroup(u"C", "ABC");
  EXPECT_EQ(ReadFile(Group(u"C")), "0002\r\n") << "compared without case";
  WriteFile(Group(u"D"), "0002");
  store.RemoveFromGroup(u"D", "0009");
  EXPECT_EQ(ReadFile(Group(u"D")), "0002") << "a group without the id is not rewritten";
}

TEST_F(StoreTest, CopyingAContactGivesANewIdAndNeverOverwrites) {
  store.OpenStore();
  Contact("0000", "taro");
  Contact("0002", "saburo");
  WriteFile(Group(u"A"), "0000\r\n");
  ASSERT_TRUE(store.CopyContact(u"A", "0000"));
  EXPECT_EQ(ReadFile(Address("0001.adr")), ReadFile(Address("0000.adr")));
  EXPECT_EQ(ReadFile(Group(u"A")), "0000\r\n0001\r\n");
  EXPECT_FALSE(store.CopyContact(u"A", "0007")) << "no such contact";
  EXPECT_FALSE(store.CopyContact(u"A", "../orvane"));
  EXPECT_EQ(ReadFile(Group(u"A")), "0000\r\n0001\r\n");
}

TEST_F(StoreTest, AFailedGroupWriteLosesNoContactAndLeavesNoCopy) {
  store.OpenStore();
  Contact("0000", "taro");
  WriteFile(Group(u"A"), "0000\r\n");
  WriteFile(Group(u"B"), "");
  fs::permissions(Group(u"B"), fs::perms::owner_read);
  EXPECT_THROW(store.MoveContact(u"A", u"B", "0000"), FileError);
  EXPECT_EQ(ReadFile(Group(u"A")), "0000\r\n") << "the contact is still in a group";
  fs::permissions(Group(u"A"), fs::perms::owner_read);
  EXPECT_FALSE(store.CopyContact(u"A", "0000"));
  EXPECT_EQ(ListDirectory(home / "Address", "*.adr").size(), 1u) << "a copy no group names";
}

TEST_F(StoreTest, SavingAContactReplacesALinkAndNeverWritesItsTarget) {
  store.OpenStore();
  WriteFile(home / "outside.txt", "[Person]\r\nName=kept\r\n");
  fs::create_symlink(home / "outside.txt", Address("0001.adr"));
  ContactRecord contact;
  contact.Name = u"新しい";
  store.WriteContact("0001", contact);
  EXPECT_EQ(ReadFile(home / "outside.txt"), "[Person]\r\nName=kept\r\n");
  EXPECT_FALSE(fs::is_symlink(Address("0001.adr")));
  EXPECT_EQ(store.ReadContact("0001").Name, u"新しい");
}

TEST_F(StoreTest, AFileThatIsNoRegularFileOrTooLargeIsRefusedByName) {
  store.OpenStore();
  const fs::path pipe = Address("0001.adr");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  WriteFile(Group(u"A"), "0001\r\n");
  // A contact file that is a pipe, then a group file and the tree file too
  // large: each is read in turn when the store opens and shows the group.
  for (const fs::path& file : {pipe, Group(u"A"), Address("Address.dat")}) {
    if (file != pipe) fs::resize_file(file, (16u << 20) + 1);
    try {
      store.OpenStore();
      store.LoadGroupItems(u"A");
      ADD_FAILURE() << "read " << file;
    } catch (const FileError& e) {
      EXPECT_NE(e.Message().find(PathToWide(file)), WideString::npos) << WideToUtf8(e.Message());
    }
    fs::remove(file);
  }
}

TEST_F(StoreTest, RenamingAGroupThenAddingWritesTheFileOfTheNewName) {
  store.OpenStore();
  WriteFile(Group(u"旧"), "0000\r\n");
  store.RenameGroup(u"旧", u"新");
  store.AddToGroup(u"新", "0001");
  EXPECT_FALSE(FileExists(Group(u"旧")));
  EXPECT_EQ(ReadFile(Group(u"新")), "0000\r\n0001\r\n");
}

TEST_F(StoreTest, GroupNamesThatNameNoSingleFileAreRefused) {
  store.OpenStore();
  WriteFile(Group(u"A"), "0000\r\n");
  WriteFile(Group(u"taken"), "0009\r\n");
  const std::u16string refused[] = {
      u"",           u".",      u"..", u"../evil", u"a/b", std::u16string(u"a\0b", 3),
      u"a\tb",       u"a\r\nb",
      u"\U0001F600",  // not in Shift_JIS: the tree file could not name it
      u"\u301C",      // wave dash: Shift_JIS reads it back as the full-width tilde
      u"Address",     // the tree file
      u"ADDRESS",
  };
  for (const std::u16string& name : refused) {
    std::string shown = WideToUtf8(name);
    try {
      store.EnsureGroupFile(name);
      ADD_FAILURE() << "created " << shown;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), u"グループの作成に失敗しました") << shown;
    }
    try {
      store.RenameGroup(u"A", name);
      ADD_FAILURE() << "renamed to " << shown;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), u"変更に失敗しました") << shown;
    }
    EXPECT_FALSE(store.GroupExists(name)) << shown;
  }
  try {
    store.RenameGroup(u"A", u"taken");
    ADD_FAILURE() << "renamed over an existing group";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), u"変更に失敗しました");
  }
  EXPECT_EQ(ReadFile(Group(u"A")), "0000\r\n");
  EXPECT_EQ(ReadFile(Group(u"taken")), "0009\r\n");
  EXPECT_FALSE(fs::exists(home / "evil.dat"));
  EXPECT_EQ(ListDirectory(home.Path()).size(), 1u) << "only the address folder";
}

TEST_F(StoreTest, DeletingAGroupMovesItsLinesToTemporaryStorage) {
  store.OpenStore();
  WriteFile(Group(u"一時保存"), "0004\r\n");
  WriteFile(Group(u"A"), "0001\r\n0004\r\n");
  EXPECT_TRUE(store.DeleteGroup(u"A"));
  EXPECT_FALSE(FileExists(Group(u"A")));
  EXPECT_EQ(ReadFile(Group(u"一時保存")), "0004\r\n0001\r\n0004\r\n");
  EXPECT_FALSE(store.DeleteGroup(u"一時保存"));
  EXPECT_EQ(ReadFile(Group(u"一時保存")), "0004\r\n0001\r\n0004\r\n");
}

TEST_F(StoreTest, AFailedGroupWriteLeavesTheOldFile) {
  store.OpenStore();
  WriteFile(Group(u"A"), "0001\r\n");
  // A file without write permission refuses a replacement, also for root.
  fs::permissions(Group(u"A"), fs::perms::owner_read);
  EXPECT_THROW(store.AddToGroup(u"A", "0002"), FileError);
  EXPECT_THROW(store.SaveGroupOrder(u"A", {}), FileError);
  EXPECT_EQ(ReadFile(Group(u"A")), "0001\r\n");
  WriteFile(Address("Address.dat"), "仕事\r\n");
  fs::permissions(Address("Address.dat"), fs::perms::owner_read);
  EXPECT_THROW(store.SaveGroupTree({}), FileError);
  EXPECT_EQ(ReadFile(Address("Address.dat")), "仕事\r\n");
  EXPECT_EQ(ListDirectory(home / "Address", ".*").size(), 0u) << "a temporary file was left";
}

TEST_F(StoreTest, BuiltInGroupsAtAnyDepthAreNotSavedAndComeBackAtTheTop) {
  store.OpenStore();
  GroupTree tree = {
      {u"アドレス帳", {{u"仕事", {{u"お気に入り", {{u"取引先", {}}}}}}, {u"一時保存", {}}}},
      {u"お気に入り", {}},
      {u"一時保存", {}},
  };
  store.SaveGroupTree(tree);
  EXPECT_EQ(ReadFile(Address("Address.dat")),
            WideToSjis(u"アドレス帳\r\n\t仕事\r\n\t\t取引先\r\n"));
  EXPECT_EQ(store.OpenStore(), (GroupTree{{u"アドレス帳", {{u"仕事", {{u"取引先", {}}}}}},
                                          {u"お気に入り", {}},
                                          {u"一時保存", {}}}));
}

TEST_F(StoreTest, FavouritesSkipMissingContactsAndKeepTheirLinePositions) {
  EXPECT_EQ(store.LoadFavourites(), std::nullopt) << "no favourites file";
  store.OpenStore();
  Contact("0000", "taro");
  Contact("0002", "saburo");
  WriteFile(home / "orvane.adr", "[Person]\r\nName=secret\r\n");
  WriteFile(Group(u"お気に入り"), "0001\r\n0002\r\n../orvane\r\n0000\r\n");
  auto favourites = store.LoadFavourites();
  ASSERT_TRUE(favourites);
  ASSERT_EQ(favourites->size(), 2u);
  EXPECT_EQ((*favourites)[0].Tag, 1);
  EXPECT_EQ((*favourites)[0].Name, u"saburo");
  EXPECT_EQ((*favourites)[0].Address, u"saburo@example.jp");
  EXPECT_EQ((*favourites)[1].Tag, 3);
  EXPECT_EQ((*favourites)[1].Name, u"taro");
}

TEST_F(StoreTest, AddingContactsTakesFreeIdsAndAppendsThemInOneWrite) {
  store.OpenStore();
  Contact("0000", "taro");
  Contact("0002", "saburo");
  WriteFile(Group(u"A"), "0000\r\n");
  ContactRecord one, two;
  one.Name = u"一郎";
  two.Name = u"二郎";
  EXPECT_EQ(store.AddContacts(u"A", {one, two}), (std::vector<std::string>{"0001", "0003"}));
  EXPECT_EQ(ReadFile(Group(u"A")), "0000\r\n0001\r\n0003\r\n");
  EXPECT_EQ(store.ReadContact("0003").Name, u"二郎");
  EXPECT_EQ(store.ReadContact("0002").Name, u"saburo");
}

// The address book is its user's own: the folder is made 0700 and every
// file the store makes (groups, tree, imported, copied and saved contacts)
// 0600, from its creation on.
TEST_F(StoreTest, EveryFolderAndFileTheStoreMakesIsPrivate) {
  const mode_t umask = ::umask(0);  // the modes given, not what a umask leaves
  store.OpenStore();
  ContactRecord one;
  one.Name = u"一郎";
  store.AddContacts(u"A", {one, one});
  store.CopyContact(u"A", "0000");
  store.WriteContact("0042", one);
  ::umask(umask);
  EXPECT_EQ(fs::status(home / "Address").permissions(), fs::perms::owner_all);
  int files = 0;  // three built-in groups, the tree, A, four contacts
  for (const fs::directory_entry& entry : fs::directory_iterator(home / "Address")) {
    EXPECT_EQ(entry.status().permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 9);
}

TEST_F(StoreTest, AFailedAddOfContactsLeavesNoFilesBehind) {
  store.OpenStore();
  WriteFile(Group(u"A"), "0009\r\n");
  fs::permissions(Group(u"A"), fs::perms::owner_read);
  ContactRecord one;
  one.Name = u"一郎";
  EXPECT_THROW(store.AddContacts(u"A", {one, one}), FileError);
  EXPECT_FALSE(fs::exists(Address("0000.adr")));
  EXPECT_FALSE(fs::exists(Address("0001.adr")));
  EXPECT_EQ(ReadFile(Group(u"A")), "0009\r\n");
}

TEST_F(StoreTest, ContactsAreWrittenOnlyUnderAContactId) {
  store.OpenStore();
  ContactRecord contact;
  contact.Name = u"x";
  for (const char* id : {"../orvane", "", "12a"}) {
    EXPECT_THROW(store.WriteContact(id, contact), Error) << id;
    EXPECT_EQ(store.ReadContact(id), ContactRecord()) << id;
    EXPECT_FALSE(store.ContactExists(id)) << id;
  }
  EXPECT_FALSE(fs::exists(home / "orvane.adr"));
  store.WriteContact("0042", contact);
  EXPECT_TRUE(store.ContactExists("0042"));
  EXPECT_EQ(store.ReadContact("0042").Name, u"x");
}

}  // namespace
}  // namespace orvane
