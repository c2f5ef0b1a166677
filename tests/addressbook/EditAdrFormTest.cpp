#include <gtest/gtest.h>

#include "addressbook/EditAdrUnit.h"
#include "addressbook/Records.h"
#include "platform/Error.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

using Shown = ScriptedPrompt::Shown;

class EditAdr : public ::testing::Test {
 protected:
  EditAdr() { store.OpenStore(); }

  TEditAdrForm Editor(const AnsiString& id) {
    TEditAdrForm form(store, clock, shell, prompt);
    form.ContactId = id;
    return form;
  }

  ScopedTimeZone zone{"Asia/Tokyo"};
  TempFolder home;
  AdBookStore store{home / "Address"};
  FixedClock clock{FromLocalDateTime(2004, 2, 29, 15, 0, 0)};
  RecordingShell shell;
  ScriptedPrompt prompt;
};

TEST(Birthday, ShortDatesAndAges) {
  struct Case {
    const char16_t* text;
    std::optional<CalendarDate> date;
  } dates[] = {
      {u"1980/03/01", CalendarDate{1980, 3, 1}},
      {u"1980/3/1", CalendarDate{1980, 3, 1}},
      {u"2000/02/29", CalendarDate{2000, 2, 29}},
      {u"2003/02/29", std::nullopt},
      {u"1980-03-01", std::nullopt},
      {u"1980/13/01", std::nullopt},
      {u"1980/03/01 ", std::nullopt},
      {u"", std::nullopt},
      {u"19800/03/01", std::nullopt},
      {u"1980/003/01", std::nullopt},
  };
  for (const auto& c : dates) EXPECT_EQ(ParseShortDate(c.text), c.date) << WideToUtf8(c.text);
  EXPECT_EQ(FormatShortDate({987, 3, 1}), u"0987/03/01");

  struct Age {
    CalendarDate birthday;
    LocalDateTime now;
    int age;
  } ages[] = {
      {{1980, 3, 1}, {2004, 2, 29, 15}, 23},
      {{1980, 3, 1}, {2004, 3, 1, 0}, 24},
      {{2004, 2, 29}, {2004, 2, 29, 23, 59}, 0},
      {{2000, 1, 1}, {2001, 1, 1, 0}, 1},
      // A birthday after today: the span is negative and truncates to 0.
      {{2004, 6, 1}, {2004, 2, 29, 12}, 0},
  };
  for (const Age& c : ages) EXPECT_EQ(AgeOn(c.birthday, c.now), c.age) << c.now.year;
}

TEST_F(EditAdr, ANewContactSavedWithoutTouchingTheBirthdayStoresToday) {
  TEditAdrForm form = Editor("");
  form.Open();
  EXPECT_EQ(form.Birthday, (CalendarDate{2004, 2, 29}));
  EXPECT_EQ(form.AgeText(), u"");
  EXPECT_EQ(form.Contact.Mark, -1);
  EXPECT_EQ(form.Contact.Sex, 2);
  EXPECT_EQ(TEditAdrForm::kSexNames[static_cast<size_t>(form.Contact.Sex)],
            std::u16string(u"不明"));
  form.NameEdited(u"山田 太郎", u"やまだ たろう");
  form.Save();
  EXPECT_TRUE(form.Saved);
  EXPECT_EQ(form.ContactId, "0000");

  const ContactRecord stored = store.ReadContact("0000");
  EXPECT_EQ(stored.Birth, u"2004/02/29");
  EXPECT_EQ(stored.Name, u"山田 太郎");
  EXPECT_EQ(stored.Kana, u"やまだ たろう");
  EXPECT_EQ(stored.Mark, -1);

  TEditAdrForm again = Editor("0000");
  again.Open();
  EXPECT_EQ(again.AgeText(), u"0 歳");
  EXPECT_EQ(again.Contact.Name, u"山田 太郎");
  again.SetBirthday({1980, 3, 1});
  EXPECT_EQ(again.AgeText(), u"23 歳");
  // Nothing is written without a save.
  EXPECT_EQ(store.ReadContact("0000").Birth, u"2004/02/29");
}

TEST_F(EditAdr, AStoredBirthdayThatIsNoDateStopsTheEditor) {
  WriteFile(home / "Address/0001.adr", "[Person]\r\nName=x\r\nBirth=1980/02/30\r\n");
  TEditAdrForm form = Editor("0001");
  try {
    form.Open();
    FAIL() << "opened";
  } catch (const Error& error) {
    EXPECT_EQ(error.Message(), u"'1980/02/30' は正しい日付ではありません");
  }
  // A contact without a birthday shows today's.
  WriteFile(home / "Address/0002.adr", "[Person]\r\nName=x\r\n");
  TEditAdrForm other = Editor("0002");
  other.Open();
  EXPECT_EQ(other.Birthday, (CalendarDate{2004, 2, 29}));
  EXPECT_EQ(other.AgeText(), u"0 歳");
  EXPECT_EQ(other.Contact.Mark, 0) << "the editor's default icon";
}

TEST_F(EditAdr, WebButtonsOpenTheirOwnField) {
  struct Case {
    bool company;
    std::u16string personal;
    std::u16string office;
    std::vector<WideString> opened;
    std::vector<WideString> told;
  } cases[] = {
      {false,
       u"http://taro.example.jp/",
       u"http://corp.example.jp/",
       {u"http://taro.example.jp/"},
       {}},
      {true,
       u"http://taro.example.jp/",
       u"http://corp.example.jp/",
       {u"http://corp.example.jp/"},
       {}},
      {true, u"http://taro.example.jp/", u"", {}, {u"Web アドレスを入力してください"}},
      {false, u"", u"http://corp.example.jp/", {}, {u"Web アドレスを入力してください"}},
  };
  for (const Case& c : cases) {
    RecordingShell caseShell;
    ScriptedPrompt casePrompt;
    TEditAdrForm form(store, clock, caseShell, casePrompt);
    form.Open();
    form.Contact.WebSite = c.personal;
    form.Contact.CompanyWebSite = c.office;
    if (c.company)
      form.OpenCompanyWebSite();
    else
      form.OpenWebSite();
    EXPECT_EQ(caseShell.openedUrls, c.opened);
    EXPECT_EQ(casePrompt.Texts(Shown::Information), c.told);
  }
}

TEST_F(EditAdr, EveryValueIsWrittenAndThePictureCanBeCleared) {
  TEditAdrForm form = Editor("");
  form.Open();
  form.Contact.Address = u"taro@example.jp";
  form.Contact.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ101", u"渋谷"};
  form.Contact.Phones[0] = u"(   03)-1234-5678";
  form.Contact.OfficePhones[2] = u" 090-1234-5678";
  form.Contact.Memo = u" a \r\nb";
  form.Contact.Mark = 4;
  WriteFile(home / "face.png", "x");
  form.SetImage(home / "face.png");
  EXPECT_TRUE(form.HasImage());
  EXPECT_EQ(form.ImageFile(), home / "face.png");
  form.Save();
  ContactRecord expected = form.Contact;
  EXPECT_EQ(store.ReadContact(form.ContactId), expected);
  EXPECT_EQ(TEditAdrForm::AddressCaption(expected.Home), u"東京都渋谷区渋谷1-2-3\n渋谷ハイツ101");
  EXPECT_EQ(TEditAdrForm::PhoneCaption(expected.Phones), u"(   03)-1234-5678");

  form.ClearImage();
  EXPECT_FALSE(form.HasImage());
  EXPECT_EQ(form.ImageFile(), std::nullopt);
  form.SetImage(home / "gone.png");
  EXPECT_EQ(form.ImageFile(), std::nullopt) << "a path without a file shows no picture";
}

}  // namespace
}  // namespace orvane::test
