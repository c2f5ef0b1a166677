#include <gtest/gtest.h>

#include "addressbook/AdBookStore.h"
#include "addressbook/ContactFile.h"
#include "addressbook/Records.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

ContactRecord FullContact() {
  ContactRecord c;
  c.Name = u"田中 太郎";
  c.Kana = u"たなか　たろう";
  c.Address = u"taro@example.jp";
  c.Mark = 4;
  c.Image = u"/home/taro/顔.png";
  c.Sex = 0;
  c.Birth = u"1980/03/01";
  c.WebSite = u"http://taro.example.jp/";
  c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101", u"渋谷"};
  c.Company = u"オルヴェイン商事";
  c.Office = {u"1000005", u"東京都千代田区丸の内1-1", u"丸の内ビル3F", u"東京"};
  c.Busyo = u"営業部";
  c.Yaku = u"課長";
  c.CompanyWebSite = u"https://example.co.jp/";
  c.Phones = {u"(   03)-1234-5678", u"(     )-    -    ", u" 090-1234-5678", u"",
              u"  50-1234-5678"};
  c.OfficePhones = {u"(   03)-9876-5432", u"", u"", u"   3-9876-5433", u""};
  c.Memo = u" a \r\n\r\n\"引用\"";
  return c;
}

TEST(ContactFile, IsWrittenInTheEditorsOrderInShiftJis) {
  TempFolder folder;
  AdBookStore store(folder.Path());
  store.WriteContact("0001", FullContact());
  std::string expected = WideToSjis(
      u"[Person]\r\nName=田中 太郎\r\nKana=たなか　たろう\r\nAddress=taro@example.jp\r\nMark=4\r\n"
      u"Image=/home/taro/顔.png\r\nSex=0\r\nBirth=1980/03/01\r\nWebSite=http://taro.example.jp/\r\n"
      u"PostNum=1500002\r\nAddress1=東京都渋谷区渋谷1-2-3\r\nAddress2=渋谷ハイツ101\r\nStation="
      u"渋谷\r\n"
      u"\r\n[Office]\r\nName=オルヴェイン商事\r\nPostNum=1000005\r\n"
      u"Address1=東京都千代田区丸の内1-1\r\nAddress2=丸の内ビル3F\r\nStation=東京\r\nBusyo="
      u"営業部\r\n"
      u"Yaku=課長\r\nWebSite=https://example.co.jp/\r\n"
      u"\r\n[Phone]\r\nPhone1=(   03)-1234-5678\r\nPhone2=\"(     )-    -    \"\r\n"
      u"Phone3=\" 090-1234-5678\"\r\nPhone4=\r\nPhone5=\"  50-1234-5678\"\r\n"
      u"\r\n[OfficePhone]\r\nPhone1=(   03)-9876-5432\r\nPhone2=\r\nPhone3=\r\n"
      u"Phone4=\"   3-9876-5433\"\r\nPhone5=\r\n"
      u"\r\n[Memo]\r\nLineCount=3\r\nLine1=\" a \"\r\nLine2=\"\"\r\nLine3=\"\"引用\"\"\r\n");
  EXPECT_EQ(ReadFile(folder / "0001.adr"), expected);
}

TEST(ContactFile, EveryValueSurvivesASaveAndAReload) {
  TempFolder folder;
  AdBookStore store(folder.Path());
  ContactRecord contact = FullContact();
  store.WriteContact("0001", contact);
  EXPECT_EQ(store.ReadContact("0001"), contact);
  // Values that the settings store would read without their blanks or
  // quotes are written quoted.
  const std::u16string values[] = {u" a", u"a ", u"\"a\"", u"'a'", u"\"a", u"a'", u"\"", u"　a　"};
  for (const std::u16string& value : values) {
    contact.Name = value;
    store.WriteContact("0001", contact);
    EXPECT_EQ(store.ReadContact("0001").Name, value) << WideToUtf8(value);
  }
}

TEST(ContactFile, MemoLinesKeepTheirBlanks) {
  const std::u16string memos[] = {u" a ", u"  ", u"a\r\n b \r\nc", u"\"q\"", u"x\r\n\r\ny"};
  TempFolder folder;
  AdBookStore store(folder.Path());
  for (const std::u16string& memo : memos) {
    ContactRecord contact;
    contact.Memo = memo;
    store.WriteContact("0001", contact);
    EXPECT_EQ(store.ReadContact("0001").Memo, memo) << WideToUtf8(memo);
  }
}

TEST(ContactFile, SavingAgainReplacesTheMemoAndKeepsOtherKeys) {
  TempFolder folder;
  WriteFile(folder / "0001.adr",
            "; note\r\n[Person]\r\nName=old\r\nExtra=kept\r\n[Memo]\r\nLineCount=2\r\n"
            "Line1=\"a\"\r\nLine2=\"b\"\r\n[Other]\r\nKey=1\r\n");
  AdBookStore store(folder.Path());
  ContactRecord contact;
  contact.Name = u"new";
  store.WriteContact("0001", contact);
  std::string text = ReadFile(folder / "0001.adr");
  EXPECT_NE(text.find("Name=new\r\nExtra=kept\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Other]\r\nKey=1\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("[Memo]"), std::string::npos) << "an empty memo leaves no section";
  EXPECT_EQ(text.find("Birth"), std::string::npos) << "no birthday given";
}

TEST(ContactFile, MissingKeysReadAsTheirDefaults) {
  struct Case {
    std::string file;
    int mark;      // in the editor
    int listMark;  // in a list
    int sex;
  } cases[] = {
      {"", 0, -1, 2},
      {"[Person]\r\nMark=7\r\nSex=1\r\n", 7, 7, 1},
      {"[Person]\r\nMark=x\r\nSex=\r\n", 0, -1, 2},
      {"[Person]\r\nMark=-1\r\n", -1, -1, 2},
  };
  for (const Case& c : cases) {
    ProfileText profile(c.file);
    ContactRecord contact = ContactFromProfile(profile);
    EXPECT_EQ(contact.Mark, c.mark) << c.file;
    EXPECT_EQ(contact.Sex, c.sex) << c.file;
    EXPECT_EQ(contact.Birth, u"") << c.file;
    EXPECT_EQ(MailItemFromProfile(profile, "0001").Mark, c.listMark) << c.file;
  }
}

TEST(ContactFile, ContactIdsAreDigitsAlone) {
  struct Case {
    const char* line;
    bool id;
  } cases[] = {{"0000", true},   {"10000", true},  {"7", true},          {"", false},
               {" 0001", false}, {"0001 ", false}, {"../orvane", false}, {"0001/..", false},
               {"１２", false},  {"-1", false}};
  for (const Case& c : cases) EXPECT_EQ(IsContactId(c.line), c.id) << c.line;
}

}  // namespace
}  // namespace orvane
