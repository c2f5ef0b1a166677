#include "addressbook/ContactFile.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "settings/IniFile.h"
#include "settings/ProfileBlock.h"

namespace orvane {
namespace {

constexpr std::string_view kPerson = "Person";
constexpr std::string_view kOffice = "Office";
constexpr std::string_view kPhone = "Phone";
constexpr std::string_view kOfficePhone = "OfficePhone";
constexpr std::string_view kMemo = "Memo";
constexpr const char* kPhoneKeys[5] = {"Phone1", "Phone2", "Phone3", "Phone4", "Phone5"};

// Whole: a contact's values are the program's own, written whole, and a
// long memo line or address must read back as it was.
WideString Text(const ProfileText& profile, std::string_view section, std::string_view key) {
  return SjisToWide(profile.Find(section, key, ValueLength::kWhole).value_or(""));
}

int Integer(const ProfileText& profile, std::string_view section, std::string_view key,
            int defaultValue) {
  return ParseInteger(profile.Find(section, key).value_or("")).value_or(defaultValue);
}

// The settings store reads a value without the blanks at its ends and
// without one pair of enclosing quotes; such a value is written in double
// quotes, as the memo lines are, so that it reads back as it was (a
// telephone's masked text starts with blanks).
void Put(ProfileText& profile, std::string_view section, std::string_view key,
         const WideString& value) {
  AnsiString text = WideToSjis(value);
  bool quote =
      !text.empty() && (IsBlankOrControl(text.front()) || IsBlankOrControl(text.back()) ||
                        (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                         text.back() == text.front()));
  profile.Set(section, key, quote ? '"' + text + '"' : text);
}

}  // namespace

bool IsContactId(std::string_view line) {
  return !line.empty() &&
         std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ContactRecord ContactFromProfile(const ProfileText& profile) {
  ContactRecord c;
  c.Name = Text(profile, kPerson, "Name");
  c.Kana = Text(profile, kPerson, "Kana");
  c.Address = Text(profile, kPerson, "Address");
  c.Mark = Integer(profile, kPerson, "Mark", 0);
  c.Image = Text(profile, kPerson, "Image");
  c.Sex = Integer(profile, kPerson, "Sex", 2);
  c.Birth = Text(profile, kPerson, "Birth");
  c.WebSite = Text(profile, kPerson, "WebSite");
  for (auto [section, place] : {std::pair{kPerson, &c.Home}, std::pair{kOffice, &c.Office}}) {
    place->PostNum = Text(profile, section, "PostNum");
    place->Address1 = Text(profile, section, "Address1");
    place->Address2 = Text(profile, section, "Address2");
    place->Station = Text(profile, section, "Station");
  }
  c.Company = Text(profile, kOffice, "Name");
  c.Busyo = Text(profile, kOffice, "Busyo");
  c.Yaku = Text(profile, kOffice, "Yaku");
  c.CompanyWebSite = Text(profile, kOffice, "WebSite");
  for (size_t i = 0; i < 5; ++i) {
    c.Phones[i] = Text(profile, kPhone, kPhoneKeys[i]);
    c.OfficePhones[i] = Text(profile, kOfficePhone, kPhoneKeys[i]);
  }
  c.Memo = SjisToWide(JoinTextLines(ReadProfileBlock(profile, kMemo, ValueLength::kWhole)));
  return c;
}

void ContactToProfile(ProfileText& profile, const ContactRecord& c) {
  Put(profile, kPerson, "Name", c.Name);
  Put(profile, kPerson, "Kana", c.Kana);
  Put(profile, kPerson, "Address", c.Address);
  profile.Set(kPerson, "Mark", std::to_string(c.Mark));
  Put(profile, kPerson, "Image", c.Image);
  profile.Set(kPerson, "Sex", std::to_string(c.Sex));
  if (!c.Birth.empty()) Put(profile, kPerson, "Birth", c.Birth);
  Put(profile, kPerson, "WebSite", c.WebSite);
  auto putPlace = [&](std::string_view section, const PostalAddress& place) {
    Put(profile, section, "PostNum", place.PostNum);
    Put(profile, section, "Address1", place.Address1);
    Put(profile, section, "Address2", place.Address2);
    Put(profile, section, "Station", place.Station);
  };
  putPlace(kPerson, c.Home);
  Put(profile, kOffice, "Name", c.Company);
  putPlace(kOffice, c.Office);
  Put(profile, kOffice, "Busyo", c.Busyo);
  Put(profile, kOffice, "Yaku", c.Yaku);
  Put(profile, kOffice, "WebSite", c.CompanyWebSite);
  for (size_t i = 0; i < 5; ++i) Put(profile, kPhone, kPhoneKeys[i], c.Phones[i]);
  for (size_t i = 0; i < 5; ++i) Put(profile, kOfficePhone, kPhoneKeys[i], c.OfficePhones[i]);
  WriteProfileBlock(profile, kMemo, SplitTextLines(WideToSjis(c.Memo)), {});
}

std::vector<const char16_t*> FieldsLosingCharacters(const ContactRecord& c) {
  auto place = [](const PostalAddress& p) {
    return std::vector<const WideString*>{&p.PostNum, &p.Address1, &p.Address2, &p.Station};
  };
  auto phones = [](const std::array<WideString, 5>& numbers) {
    std::vector<const WideString*> all;
    for (const WideString& number : numbers) all.push_back(&number);
    return all;
  };
  // Labelled as the contact editor labels them.
  const std::pair<const char16_t*, std::vector<const WideString*>> fields[] = {
      {u"名前", {&c.Name}},
      {u"ふりがな", {&c.Kana}},
      {u"アドレス", {&c.Address}},
      {u"イメージ", {&c.Image}},
      {u"誕生日", {&c.Birth}},
      {u"Webサイト", {&c.WebSite}},
      {u"住所", place(c.Home)},
      {u"電話番号", phones(c.Phones)},
      {u"社名", {&c.Company}},
      {u"部署", {&c.Busyo}},
      {u"役職", {&c.Yaku}},
      {u"会社の住所", place(c.Office)},
      {u"会社の電話番号", phones(c.OfficePhones)},
      {u"会社のWebサイト", {&c.CompanyWebSite}},
      {u"メモ", {&c.Memo}},
  };
  std::vector<const char16_t*> losing;
  for (const auto& [label, values] : fields) {
    for (const WideString* value : values) {
      bool lost = false;
      WideToSjis(*value, &lost);
      if (!lost) continue;
      losing.push_back(label);
      break;
    }
  }
  return losing;
}

TMailItem MailItemFromProfile(const ProfileText& profile, AnsiString id) {
  TMailItem item;
  item.Id = std::move(id);
  item.Name = Text(profile, kPerson, "Name");
  item.Kana = Text(profile, kPerson, "Kana");
  item.Address = Text(profile, kPerson, "Address");
  item.Image = Text(profile, kPerson, "Image");
  item.Mark = Integer(profile, kPerson, "Mark", -1);
  return item;
}

}  // namespace orvane
