// vCards exchanged with an independent implementation, Python's vobject.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "addressbook/Records.h"
#include "addressbook/VCard.h"
#include "platform/CodePage.h"
#include "support/TempFolder.h"
#include "support/VobjectPeer.h"

namespace orvane {
namespace {
using test::JsonValue;
using test::ReadFile;
using test::TempFolder;

TEST(VCardPeer, CardsWrittenByVobjectImport) {
  struct Case {
    const char* name;
    std::string json;  // the cards as vcard_peer.py describes them
    ContactRecord contact;
  } cases[] = {
      {"every mapped field",
       R"([[["N", [], ["田中", "太郎"]], ["FN", [], "田中 太郎"],
            ["X-PHONETIC-LAST-NAME", [], "たなか"], ["X-PHONETIC-FIRST-NAME", [], "たろう"],
            ["EMAIL", ["INTERNET"], "taro@example.jp"],
            ["TEL", ["HOME", "VOICE"], "03-1234-5678"], ["TEL", ["CELL"], "090-1234-5678"],
            ["TEL", ["WORK", "FAX"], "06-6123-4567"],
            ["ADR", ["HOME"], ["", "渋谷ハイツ101", "渋谷1-2-3", "渋谷区", "東京都", "150-0002", "日本"]],
            ["ADR", ["WORK"], ["", "", "丸の内1-1, 3F", "千代田区", "東京都", "100-0005", ""]],
            ["ORG", [], ["株式会社オルヴェイン", "営業部"]], ["TITLE", [], "課長"],
            ["BDAY", [], "1980-03-01"], ["URL", [], "http://taro.example.jp/"],
            ["NOTE", [], "一行目\n二行目, 三; 四 \\ 五"]]])",
       Imported([](ContactRecord& c) {
         c.Name = u"田中 太郎";
         c.Kana = u"たなか　たろう";
         c.Address = u"taro@example.jp";
         c.Phones[0] = u"(   03)-1234-5678";
         c.Phones[2] = u" 090-1234-5678";
         c.OfficePhones[3] = u"  06-6123-4567";
         c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101", u""};
         c.Office = {u"1000005", u"東京都千代田区丸の内1-1, 3F", u"", u""};
         c.Company = u"株式会社オルヴェイン";
         c.Busyo = u"営業部";
         c.Yaku = u"課長";
         c.Birth = u"1980/03/01";
         c.WebSite = u"http://taro.example.jp/";
         c.Memo = u"一行目\r\n二行目, 三; 四 \\ 五";
       })},
      {"a long name folded by vobject",
       R"([[["FN", [], "東京都千代田区丸の内一丁目一番一号丸の内ビル三階受付前の田中太郎様、同ビル四階の山田花子様、五階の佐藤次郎様、六階の鈴木三郎様ほか皆様、七階の高橋四郎様と八階の伊藤五郎様"],
            ["SORT-STRING", [], "トウキョウトチヨダクマルノウチイッチョウメイチバンイチゴウ"]]])",
       Imported([](ContactRecord& c) {
         c.Name =
             u"東京都千代田区丸の内一丁目一番一号丸の内ビル三階受付前の田中太郎様、同ビル四階の山田"
             u"花子様、五階の佐藤次郎様、六階の鈴木三郎様ほか皆様、七階の高橋四郎様と八階の伊藤五郎"
             u"様";
         c.Kana = u"とうきょうとちよだくまるのうちいっちょうめいちばんいちごう";
       })},
      {"a Latin name", R"([[["N", [], ["Smith", "John"]], ["FN", [], "John Smith"],
                            ["SORT-STRING", [], "Smith"], ["EMAIL", [], "john@example.com"]]])",
       Imported([](ContactRecord& c) {
         c.Name = u"John Smith";
         c.Kana = u"Ｓｍｉｔｈ";
         c.Address = u"john@example.com";
       })},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    test::WriteCardsWithVobject(c.json, folder / "peer.vcf");
    std::vector<ContactRecord> read = ReadVCards(ReadFile(folder / "peer.vcf"));
    ASSERT_EQ(read.size(), 1u) << c.name;
    EXPECT_EQ(read[0], c.contact) << c.name;
  }
}

std::u16string Text(const JsonValue& card, const std::string& name, size_t index = 0) {
  const JsonValue& entries = card[name];
  if (entries.kind != JsonValue::Array || index >= entries.array.size()) return u"(none)";
  return entries[index]["value"].string;
}

std::vector<std::u16string> Parts(const JsonValue& card, const std::string& name,
                                  size_t index = 0) {
  std::vector<std::u16string> parts;
  for (const JsonValue& part : card[name][index]["value"].array) parts.push_back(part.string);
  return parts;
}

std::vector<std::string> Types(const JsonValue& card, const std::string& name, size_t index) {
  std::vector<std::string> types;
  for (const JsonValue& type : card[name][index]["types"].array)
    types.push_back(WideToUtf8(type.string));
  return types;
}

TEST(VCardPeer, VobjectReadsWhatWeExport) {
  ContactRecord c = Imported([](ContactRecord& c) {
    c.Name = u"田中 太郎";
    c.Kana = u"たなか　たろう";
    c.Address = u"taro@example.jp";
    c.Birth = u"1980/03/01";
    c.WebSite = u"http://taro.example.jp/";
    c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101, 2F; 奥", u""};
    c.Company = u"オルヴェイン商事";
    c.Busyo = u"営業部";
    c.Yaku = u"課長";
    c.CompanyWebSite = u"https://example.co.jp/";
    c.Phones[2] = u" 090-1234-5678";
    c.OfficePhones[0] = u"(   03)-9876-5432";
    c.Memo = u"東京都千代田区丸の内一丁目一番一号、丸の内ビル、三階\r\n\\二行目, 三; 四";
  });
  TempFolder folder;
  test::WriteFile(folder / "ours.vcf", WriteVCards({c, c}));
  JsonValue cards = test::ReadCardsWithVobject(folder / "ours.vcf");
  ASSERT_EQ(cards.array.size(), 2u);
  const JsonValue& card = cards[0];
  EXPECT_EQ(Text(card, "VERSION"), u"3.0");
  EXPECT_EQ(Text(card, "FN"), u"田中 太郎");
  EXPECT_EQ(Parts(card, "N"), (std::vector<std::u16string>{u"田中", u"太郎", u"", u"", u""}));
  EXPECT_EQ(Text(card, "SORT-STRING"), u"たなか　たろう");
  EXPECT_EQ(Text(card, "X-PHONETIC-LAST-NAME"), u"たなか");
  EXPECT_EQ(Text(card, "X-PHONETIC-FIRST-NAME"), u"たろう");
  EXPECT_EQ(Text(card, "EMAIL"), u"taro@example.jp");
  EXPECT_EQ(Text(card, "TEL", 0), u"090-1234-5678");
  EXPECT_EQ(Types(card, "TEL", 0), (std::vector<std::string>{"CELL"}));
  EXPECT_EQ(Text(card, "TEL", 1), u"03-9876-5432");
  EXPECT_EQ(Types(card, "TEL", 1), (std::vector<std::string>{"WORK", "VOICE"}));
  EXPECT_EQ(Parts(card, "ADR"),
            (std::vector<std::u16string>{u"", u"渋谷ハイツ101, 2F; 奥", u"東京都渋谷区渋谷1-2-3",
                                         u"", u"", u"150-0002", u""}));
  EXPECT_EQ(Types(card, "ADR", 0), (std::vector<std::string>{"HOME"}));
  EXPECT_EQ(Parts(card, "ORG"), (std::vector<std::u16string>{u"オルヴェイン商事", u"営業部"}));
  EXPECT_EQ(Text(card, "TITLE"), u"課長");
  EXPECT_EQ(Text(card, "BDAY"), u"1980-03-01");
  EXPECT_EQ(Text(card, "URL", 0), u"http://taro.example.jp/");
  EXPECT_EQ(Text(card, "URL", 1), u"https://example.co.jp/");
  EXPECT_EQ(Text(card, "NOTE"),
            u"東京都千代田区丸の内一丁目一番一号、丸の内ビル、三階\n\\二行目, 三; 四");
}

}  // namespace
}  // namespace orvane
