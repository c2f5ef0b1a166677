#pragma once

#include <array>
#include <filesystem>
#include <optional>

#include "addressbook/AdBookStore.h"
#include "addressbook/Birthday.h"
#include "addressbook/ContactRecord.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"

namespace orvane {

// The contact editor "アドレス": every value of one contact, held while the
// window is open and written to the contact file only by 保存して終了 / OK.
class TEditAdrForm {
 public:
  static constexpr int kHelpTopic = 22;
  // The 性別 list, index 0 to 9.
  static constexpr std::array<const char16_t*, 10> kSexNames = {
      u"男性",   u"女性",     u"不明",     u"両性",   u"元男性",
      u"元女性", u"女性的男", u"男性的女", u"中性的", u"その他"};

  TEditAdrForm(const AdBookStore& store, const Clock& clock, Shell& shell, Prompt& prompt);

  // Empty for a new contact; after a new contact is saved, the id it got.
  AnsiString ContactId;
  // True once the contact was saved.
  bool Saved = false;
  // The values shown; Birth is kept in Birthday while the window is open.
  ContactRecord Contact;
  CalendarDate Birthday;

  // Reads the contact of ContactId, or starts a new one: no list icon,
  // 性別 "不明", today's birthday without an age. A stored birthday that is
  // not a date throws Error and the window does not open.
  void Open();

  // The age label: "%d 歳", empty for a new contact until the date changes.
  WideString AgeText() const;
  void SetBirthday(const CalendarDate& date);

  // The name changed; reading is what the reading capture holds for it.
  void NameEdited(const WideString& name, const WideString& reading);

  // The web open buttons of the personal and the company site.
  void OpenWebSite() const;
  void OpenCompanyWebSite() const;

  // イメージ設定 / イメージ解除.
  void SetImage(const std::filesystem::path& picture);
  void ClearImage() { Contact.Image.clear(); }
  bool HasImage() const { return !Contact.Image.empty(); }
  // The picture file to show; nullopt when no path is kept or no file is
  // there.
  std::optional<std::filesystem::path> ImageFile() const;

  // The captions of the address and telephone buttons.
  static WideString AddressCaption(const PostalAddress& address);
  static WideString PhoneCaption(const std::array<WideString, 5>& phones);

  // 保存して終了 and OK: a new contact takes a new id; every value is
  // written.
  void Save();

 private:
  void OpenUrl(const WideString& url) const;

  const AdBookStore& store_;
  const Clock& clock_;
  Shell& shell_;
  Prompt& prompt_;
  std::optional<int> age_;
};

}  // namespace orvane
