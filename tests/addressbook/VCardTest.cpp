#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "addressbook/Records.h"
#include "addressbook/VCard.h"
#include "addressbook/VCardFile.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// Every field the exchange maps, filled.
ContactRecord Mapped() {
  return Imported([](ContactRecord& c) {
    c.Name = u"田中 太郎";
    c.Kana = u"たなか　たろう";
    c.Address = u"taro@example.jp";
    c.Birth = u"1980/03/01";
    c.WebSite = u"http://taro.example.jp/";
    c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101, 2F; 奥", u""};
    c.Company = u"オルヴェイン商事";
    c.Office = {u"1000005", u"東京都千代田区丸の内1-1", u"丸の内ビル3F", u""};
    c.Busyo = u"営業部 第二課";
    c.Yaku = u"課長";
    c.CompanyWebSite = u"https://example.co.jp/";
    c.Phones = {u"(   03)-1234-5678", u"(  045)- 123-4567", u" 090-1234-5678", u"  03-1234-5679",
                u"  50-1234-5678"};
    c.OfficePhones = {u"(   03)-9876-5432", u"(   03)-9876-5400", u" 080-1111-2222",
                      u"  03-9876-5433", u"  50-9999-0000"};
    c.Memo = u"一行目\r\n\\二行目, 三; 四";
  });
}

std::string Utf8(const ContactRecord& c) {
  return WideToUtf8(c.Name + u"|" + c.Kana + u"|" + c.Address + u"|" + c.Memo);
}

std::vector<ContactRecord> ReadFileCards(const std::string& name) {
  return ReadVCards(ReadFile(std::filesystem::path(ORVANE_TEST_DATA_DIR) / "vcard" / name));
}

TEST(VCard, EveryMappedFieldSurvivesAnExportAndAnImport) {
  ContactRecord contact = Mapped();
  ContactRecord plain = Imported([](ContactRecord& c) { c.Name = u"Only"; });
  std::vector<ContactRecord> read = ReadVCards(WriteVCards({contact, plain}));
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], contact) << Utf8(read[0]);
  EXPECT_EQ(read[1], plain);
}

TEST(VCard, ExportIsVCard30InUtf8WithFoldedLines) {
  ContactRecord c = Imported([](ContactRecord& c) {
    c.Name = u"山田 花子";
    c.Kana = u"やまだ　はなこ";
    c.Address = u"hanako@example.jp";
    c.Phones[2] = u" 090-1234-5678";
    c.Memo = u"東京都千代田区丸の内一丁目一番一号、丸の内ビル、三階\r\na;b";
  });
  EXPECT_EQ(WriteVCards({c}),
            "BEGIN:VCARD\r\n"
            "VERSION:3.0\r\n"
            "N:山田;花子;;;\r\n"
            "FN:山田 花子\r\n"
            "SORT-STRING:やまだ　はなこ\r\n"
            "X-PHONETIC-LAST-NAME:やまだ\r\n"
            "X-PHONETIC-FIRST-NAME:はなこ\r\n"
            "EMAIL;TYPE=INTERNET:hanako@example.jp\r\n"
            "TEL;TYPE=CELL:090-1234-5678\r\n"
            // 75 octets, then the continuation: no character is cut.
            "NOTE:東京都千代田区丸の内一丁目一番一号、丸の内ビル\r\n"
            " 、三階\\na\\;b\r\n"
            "END:VCARD\r\n");
}

TEST(VCard, FieldsAreMappedFromTheCard) {
  struct Case {
    const char* name;
    std::u16string lines;  // between BEGIN:VCARD and END:VCARD
    ContactRecord contact;
  } cases[] = {
      {"N when there is no FN", u"VERSION:3.0\nN:Public;John;Quinlan;Mr.;Esq.\n",
       Imported([](ContactRecord& c) { c.Name = u"Public John Quinlan"; })},
      {"phonetic names before SORT-STRING and SOUND",
       u"FN:x\nSOUND;TYPE=X-IRMC-N:ｻｳﾝﾄﾞ;;;;\nSORT-STRING:そーと\nX-PHONETIC-FIRST-NAME:タロウ\n"
       u"X-PHONETIC-LAST-NAME:ﾀﾅｶ\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Kana = u"たなか　たろう";
       })},
      {"SORT-STRING before SOUND", u"FN:x\nSOUND;X-IRMC-N:ｻｳﾝﾄﾞ;;;;\nSORT-STRING:ソート\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Kana = u"そーと";
       })},
      {"a SOUND that is no reading", u"FN:x\nSOUND;TYPE=WAVE:http://x/a.wav\n",
       Imported([](ContactRecord& c) { c.Name = u"x"; })},
      {"the preferred e-mail",
       u"FN:x\nitem1.EMAIL;type=INTERNET:a@x.jp\nEMAIL;TYPE=\"internet,pref\":b@x.jp\n"
       u"EMAIL;PREF=1:c@x.jp\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Address = u"b@x.jp";
       })},
      {"telephones by kind",
       u"FN:x\nTEL;TYPE=work,voice;VALUE=uri:tel:+81-3-1234-5678\nTEL;CELL:090-1111-2222\n"
       u"TEL;HOME:03-0000-1111\nTEL:03-0000-2222\nTEL;TYPE=FAX:03-0000-3333\n"
       u"TEL;TYPE=CELL:080-3333-4444\nTEL;VOICE:03-0000-4444\nTEL;TYPE=PAGER:+1-555-0100\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.OfficePhones[0] = u"(   03)-1234-5678";
         c.Phones = {u"(   03)-0000-1111", u"(   03)-0000-2222", u" 090-1111-2222",
                     u"  03-0000-3333", u""};
         c.Memo = u"TEL: 080-3333-4444\r\nTEL: 03-0000-4444\r\nTEL: +1-555-0100";
       })},
      {"addresses at home and at the office",
       u"FN:x\nADR;TYPE=home:私書箱1;ハイツ 2F;渋谷1-2-3;渋谷区;東京都;１５０－０００２;日本\n"
       u"ADR;TYPE=home:;;ignored;;;;\nADR;TYPE=WORK:;Suite 5;1 Main St\\, Unit 2;Springfield;"
       u"IL;SW1A 1AA;USA\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"ハイツ 2F 私書箱1", u""};
         c.Office = {u"", u"IL Springfield 1 Main St, Unit 2", u"Suite 5 SW1A 1AA", u""};
       })},
      {"company, department, title, sites and notes",
       u"FN:x\nORG:会社;部;課\nTITLE:部長\nURL:http://me/\nURL;TYPE=WORK:http://co/\n"
       u"URL:http://other/\nNOTE:a\\nb\\, c\nNOTE:d\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Company = u"会社";
         c.Busyo = u"部 課";
         c.Yaku = u"部長";
         c.WebSite = u"http://me/";
         c.CompanyWebSite = u"http://co/";
         c.Memo = u"a\r\nb, c\r\nd";
       })},
      {"birthdays", u"FN:x\nBDAY:19800301\nBDAY:--0203\nBDAY:1980-02-30\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Birth = u"1980/03/01";
       })},
      {"a birthday with a time", u"FN:x\nBDAY:2000-02-29T00:00:00Z\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Birth = u"2000/02/29";
       })},
      {"other properties are ignored",
       u"FN:x\nPHOTO;ENCODING=b;TYPE=JPEG:AAAA\nX-UNKNOWN;A=\"b:c\":d\nCATEGORIES:a,b\n",
       Imported([](ContactRecord& c) { c.Name = u"x"; })},
      {"a card inside the card", u"FN:x\nAGENT:\nBEGIN:VCARD\nFN:agent\nEND:VCARD\nTITLE:t\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x";
         c.Yaku = u"t";
       })},
      {"a backslash at the end of a value", u"FN:x\\\nORG:\\\nTITLE:a\\;b\\\n",
       Imported([](ContactRecord& c) {
         c.Name = u"x\\";
         c.Company = u"\\";
         c.Yaku = u"a;b\\";
       })},
      {"folded and quoted-printable UTF-8",
       u"FN:長い\n\t名前\nNOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E3=81=82=\n=E3=81=84\n",
       Imported([](ContactRecord& c) {
         c.Name = u"長い名前";
         c.Memo = u"あい";
       })},
  };
  for (const Case& c : cases) {
    std::string text = "BEGIN:VCARD\n" + WideToUtf8(c.lines) + "END:VCARD\n";
    std::vector<ContactRecord> read = ReadVCards(text);
    ASSERT_EQ(read.size(), 1u) << c.name;
    EXPECT_EQ(read[0], c.contact) << c.name << ": " << Utf8(read[0]);
  }
}

TEST(VCard, EncodingsOfTheFile) {
  const std::string card = "BEGIN:VCARD\r\nFN:名前\r\nEND:VCARD\r\n";
  std::u16string wide = u"BEGIN:VCARD\r\nFN:名前\r\nEND:VCARD\r\n";
  std::string utf16le("\xFF\xFE", 2);
  for (char16_t c : wide) utf16le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  const std::string files[] = {
      card,
      "\xEF\xBB\xBF" + card,
      utf16le,
      WideToSjis(wide),
      "BEGIN:VCARD\rFN;CHARSET=SHIFT_JIS:" + WideToSjis(u"名前") + "\rEND:VCARD",
  };
  for (const std::string& file : files) {
    std::vector<ContactRecord> read = ReadVCards(file);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Name, u"名前");
  }
  EXPECT_TRUE(ReadVCards("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n").empty())
      << "a card without mapped fields gives no contact";
}

TEST(VCard, TheRfcExampleCards) {
  std::vector<ContactRecord> author = ReadFileCards("rfc6350-section8.vcf");
  ASSERT_EQ(author.size(), 1u);
  EXPECT_EQ(author[0], Imported([](ContactRecord& c) {
              c.Name = u"Simon Perreault";
              c.Address = u"simon.perreault@viagenie.ca";
              c.Company = u"Viagenie";
              c.Office = {u"", u"QC Quebec 2875 Laurier", u"Suite D2-630 G1V 2M2", u""};
              c.WebSite = u"http://nomis80.org";
              c.Memo = u"TEL: +1-418-656-9254;ext=102\r\nTEL: +1-418-262-6501";
            }))
      << Utf8(author[0]);

  std::vector<ContactRecord> rfc2426 = ReadFileCards("rfc2426-section7.vcf");
  ASSERT_EQ(rfc2426.size(), 2u);
  EXPECT_EQ(rfc2426[0], Imported([](ContactRecord& c) {
              c.Name = u"Frank Dawson";
              c.Address = u"Frank_Dawson@Lotus.com";
              c.Company = u"Lotus Development Corporation";
              c.Office = {u"276133502", u"NC Raleigh 6544 Battleford Drive", u"", u""};
              c.WebSite = u"http://home.earthlink.net/~fdawson";
              c.Memo = u"TEL: +1-919-676-9515\r\nTEL: +1-919-676-9564";
            }))
      << Utf8(rfc2426[0]);
  EXPECT_EQ(rfc2426[1], Imported([](ContactRecord& c) {
              c.Name = u"Tim Howes";
              c.Address = u"howes@netscape.com";
              c.Company = u"Netscape Communications Corp.";
              c.Office = {u"94043", u"CA Mountain View 501 E. Middlefield Rd.", u"", u""};
              c.Memo = u"TEL: +1-415-937-3419\r\nTEL: +1-415-528-4164";
            }))
      << Utf8(rfc2426[1]);
}

TEST(VCard, AJapanesePhonesShiftJisQuotedPrintableCards) {
  std::vector<ContactRecord> read = ReadFileCards("keitai-21.vcf");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], Imported([](ContactRecord& c) {
              c.Name = u"山田 花子";
              c.Kana = u"やまだ　はなこ";
              c.Address = u"hanako@example.ne.jp";
              c.Phones[0] = u"(   03)-1234-5678";
              c.Phones[2] = u" 090-1234-5678";
              c.OfficePhones[0] = u"(   06)-6123-4567";
              c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"さくらマンション203号室", u""};
              c.Company = u"株式会社オルヴェイン";
              c.Busyo = u"営業部";
              c.Yaku = u"課長";
              c.Birth = u"1985/04/12";
              c.Memo = u"1行目\r\n2行目";
            }))
      << Utf8(read[0]);
  EXPECT_EQ(read[1], Imported([](ContactRecord& c) {
              c.Name = u"十河 ソラ";
              c.Kana = u"そごう　そら";
              c.Address = u"sora@example.jp";
              c.Phones[2] = u" 080-9876-5432";
            }))
      << Utf8(read[1]);
}

TEST(VCard, AFileThatIsNotVCardIsRefusedWithTheReason) {
  struct Case {
    std::string file;  // "|": a pipe
    std::u16string message;
  } cases[] = {
      {"", u"vCard のファイルではありません"},
      {"Name,Address\r\ntaro,taro@example.jp\r\n", u"vCard のファイルではありません"},
      {std::string("\x89PNG\r\n\x1A\n\0\0", 10), u"vCard のファイルではありません"},
      {"END:VCARD\r\n", u"vCard のファイルではありません"},
      {"BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:b\r\n",
       u"4 行目で始まる vCard に END:VCARD がありません"},
      {"BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\n\r\nFN:b\r\n", u"5 行目が vCard の外にあります"},
      {"|", u"ファイル %s は通常のファイルではないので読めません"},
  };
  for (const Case& c : cases) {
    TempFolder home;
    if (c.file == "|")
      ASSERT_EQ(::mkfifo((home / "in.vcf").c_str(), 0600), 0);
    else
      WriteFile(home / "in.vcf", c.file);
    try {
      ReadVCardFile(home / "in.vcf");
      ADD_FAILURE() << "read " << c.file;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), u"in.vcf を読み込めませんでした。\r\n" +
                                 FormatMessage(c.message, PathToWide(home / "in.vcf")));
    }
  }
}

TEST(VCard, ImportAddsTheCardsToTheGroupAndExportWritesThemBack) {
  TempFolder home;
  AdBookStore store(home / "Address");
  store.OpenStore();
  std::vector<ContactRecord> contacts = {Mapped(),
                                         Imported([](ContactRecord& c) { c.Name = u"二人目"; })};
  WriteFile(home / "in.vcf", WriteVCards(contacts));
  store.AddContacts(u"仕事", ReadVCardFile(home / "in.vcf"));
  std::vector<TMailItem> items = store.LoadGroupItems(u"仕事");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Name, u"田中 太郎");
  EXPECT_EQ(items[0].Kana, u"たなか　たろう");
  EXPECT_EQ(items[0].Mark, -1);
  EXPECT_EQ(store.ReadContact(items[0].Id), contacts[0]);

  EXPECT_EQ(ExportVCardFile(store, {items[1].Id, "0099", "../x", items[0].Id}, home / "out.vcf"),
            2u);
  EXPECT_EQ(ReadFile(home / "out.vcf"), WriteVCards({contacts[1], contacts[0]}));
}

}  // namespace
}  // namespace orvane
