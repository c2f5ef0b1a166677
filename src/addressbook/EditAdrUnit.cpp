#include "addressbook/EditAdrUnit.h"

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace {

constexpr const char16_t* kNotADate = u"'%s' は正しい日付ではありません";
constexpr const char16_t* kNoWebAddress = u"Web アドレスを入力してください";

}  // namespace

TEditAdrForm::TEditAdrForm(const AdBookStore& store, const Clock& clock, Shell& shell,
                           Prompt& prompt)
    : store_(store), clock_(clock), shell_(shell), prompt_(prompt) {}

void TEditAdrForm::Open() {
  Birthday = DateOf(ToLocalDateTime(clock_.Now()));
  age_.reset();
  if (ContactId.empty()) {
    Contact = ContactRecord();
    Contact.Mark = -1;
    return;
  }
  Contact = store_.ReadContact(ContactId);
  if (!Contact.Birth.empty()) {
    const std::optional<CalendarDate> birth = ParseShortDate(Contact.Birth);
    if (!birth) throw Error(FormatMessage(kNotADate, Contact.Birth));
    Birthday = *birth;
  }
  SetBirthday(Birthday);
}

WideString TEditAdrForm::AgeText() const {
  if (!age_) return {};
  return Utf8ToWide(std::to_string(*age_)) + u" 歳";
}

void TEditAdrForm::SetBirthday(const CalendarDate& date) {
  Birthday = date;
  age_ = AgeOn(date, ToLocalDateTime(clock_.Now()));
}

void TEditAdrForm::NameEdited(const WideString& name, const WideString& reading) {
  Contact.Name = name;
  Contact.Kana = reading;
}

void TEditAdrForm::OpenUrl(const WideString& url) const {
  if (url.empty())
    prompt_.Inform(kNoWebAddress);
  else
    shell_.OpenUrl(url);
}

void TEditAdrForm::OpenWebSite() const {
  OpenUrl(Contact.WebSite);
}

void TEditAdrForm::OpenCompanyWebSite() const {
  OpenUrl(Contact.CompanyWebSite);
}

void TEditAdrForm::SetImage(const std::filesystem::path& picture) {
  Contact.Image = PathToWide(picture);
}

std::optional<std::filesystem::path> TEditAdrForm::ImageFile() const {
  if (Contact.Image.empty()) return std::nullopt;
  std::filesystem::path path = WideToPath(Contact.Image);
  if (!FileExists(path)) return std::nullopt;
  return path;
}

WideString TEditAdrForm::AddressCaption(const PostalAddress& address) {
  return address.Address1 + u"\n" + address.Address2;
}

WideString TEditAdrForm::PhoneCaption(const std::array<WideString, 5>& phones) {
  return phones[0];
}

void TEditAdrForm::Save() {
  if (ContactId.empty()) ContactId = store_.NewContactId();
  Contact.Birth = FormatShortDate(Birthday);
  store_.WriteContact(ContactId, Contact);
  Saved = true;
}

}  // namespace orvane
