#include <gtest/gtest.h>

#include "addressbook/PhoneUnit.h"
#include "addressbook/ZyusyoUnit.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

const PostalAddress kShibuya{u"1500002", u"東京都渋谷区", u" 渋谷1-2-3", u"渋谷"};

TEST(MapSearch, EachButtonBuildsItsWebAddress) {
  struct Case {
    const char* stored;  // Search/Station in UTF-8 (Shift_JIS on disk), empty for none
    MapButton button;
    PostalAddress address;
    const char16_t* url;
  } cases[] = {
      // The built-in search: UTF-8, RFC 3986 percent-encoding.
      {"", MapButton::kPostalCode, kShibuya,
       u"https://www.openstreetmap.org/search?query=150-0002"},
      {"", MapButton::kAddress, kShibuya,
       u"https://www.openstreetmap.org/search?query="
       u"%E6%9D%B1%E4%BA%AC%E9%83%BD%E6%B8%8B%E8%B0%B7%E5%8C%BA%20%E6%B8%8B%E8%B0%B71-2-3"},
      {"", MapButton::kStation, kShibuya,
       u"https://www.openstreetmap.org/search?query=%E6%B8%8B%E8%B0%B7%E9%A7%85"},
      {"",
       MapButton::kStation,
       {u"", u"", u"", u"渋谷駅"},
       u"https://www.openstreetmap.org/search?query=%E6%B8%8B%E8%B0%B7%E9%A7%85"},
      {"",
       MapButton::kPostalCode,
       {u"150", u"", u"", u""},
       u"https://www.openstreetmap.org/search?query=150"},
      // A stored template: each Shift_JIS byte from 0x80 up as "%" and two
      // lower-case digits, a blank as "+", other bytes as they are.
      {"http://map.example.jp/mapsearch.armx?mode=1&data=%Value%&gcs=1", MapButton::kAddress,
       kShibuya,
       u"http://map.example.jp/mapsearch.armx?mode=1&data=%93%8c%8b%9e%93s%8fa%92J%8b%e6+%8fa%92J1-"
       u"2-3&gcs=1"},
      {"http://map.example.jp/mapsearch.armx?mode=1&data=%Value%&gcs=1", MapButton::kStation,
       kShibuya, u"http://map.example.jp/mapsearch.armx?mode=1&data=%8fa%92J&gcs=1"},
      {"http://map.example.jp/mapsearch.armx?mode=1&data=%Value%&gcs=1", MapButton::kPostalCode,
       kShibuya, u"http://map.example.jp/mapsearch.armx?mode=1&data=1500002&gcs=1"},
      // The first "%Value%", in any case, is replaced.
      {"http://地図.example/?q=%VALUE%&again=%value%", MapButton::kStation, kShibuya,
       u"http://地図.example/?q=%8fa%92J&again=%value%"},
      {"http://map.example.jp/", MapButton::kStation, kShibuya, u"http://map.example.jp/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(MapSearchUrl(WideToSjis(Utf8ToWide(c.stored)), c.button, c.address), c.url);
  }
}

TEST(MapSearch, TheDialogReadsTheTemplateAndKeepsThePostalCodesDigits) {
  TempFolder home;
  IniFileUnit settings(home.Path());
  RecordingShell shell;
  TZyusyoForm form(settings, shell, kShibuya);
  EXPECT_EQ(form.JoinedAddress(), u"東京都渋谷区 渋谷1-2-3");
  form.SetPostalCode(u"100-0001");
  EXPECT_EQ(form.Address.PostNum, u"1000001");
  form.SetPostalCode(u"10_-____");
  EXPECT_EQ(form.Address.PostNum, u"10");
  form.Search(MapButton::kPostalCode);
  settings.WriteGeneralString("Search", "Station", "http://map.example.jp/?mode=3&data=%Value%");
  form.Search(MapButton::kPostalCode);
  EXPECT_EQ(shell.openedUrls,
            (std::vector<WideString>{u"https://www.openstreetmap.org/search?query=10",
                                     u"http://map.example.jp/?mode=3&data=10"}));
}

TEST(PhoneDialog, APartlyEnteredNumberKeepsTheMasksLiteralsAndBlanks) {
  struct Case {
    size_t index;
    const char16_t* field;   // as the masked field holds it
    const char16_t* stored;  // as the contact file keeps it
  } cases[] = {
      {0, u"(03   )-1234-5678", u"(   03)-1234-5678"},
      {0, u"(     )-1234-    ", u"(     )-1234-    "},
      {1, u"(0466 )-12  -3   ", u"( 0466)-  12-   3"},
      {0, u"(     )-    -    ", u"(     )-    -    "},
      {2, u"090 -1234-5678", u" 090-1234-5678"},
      {3, u"    -    -12  ", u"    -    -  12"},
      {4, u"050 -    -    ", u" 050-    -    "},
      {2, u"", u"    -    -    "},
  };
  for (const Case& c : cases) {
    TPhoneForm form({});
    form.SetPhone(c.index, c.field);
    EXPECT_EQ(form.Phones[c.index], c.stored) << c.index << " " << WideToUtf8(c.field);
  }
}

}  // namespace
}  // namespace orvane::test
