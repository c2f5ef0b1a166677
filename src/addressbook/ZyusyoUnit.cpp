#include "addressbook/ZyusyoUnit.h"

#include <utility>

#include "addressbook/PzConv.h"
#include "mime/PercentEncoding.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr std::u16string_view kValue = u"%value%";
constexpr const char16_t* kMapSearch = u"https://www.openstreetmap.org/search?query=%Value%";

WideString Digits(std::u16string_view text) {
  WideString digits;
  for (char16_t c : text)
    if (c >= u'0' && c <= u'9') digits.push_back(c);
  return digits;
}

// What the built-in map search looks for: a Japanese postal code as it is
// written, a station by its name with "駅", so that the search finds the
// station rather than the town of the same name.
WideString SearchText(MapButton button, const PostalAddress& address) {
  switch (button) {
    case MapButton::kPostalCode:
      if (address.PostNum.size() == 7)
        return address.PostNum.substr(0, 3) + u"-" + address.PostNum.substr(3);
      return address.PostNum;
    case MapButton::kAddress:
      return address.Address1 + address.Address2;
    case MapButton::kStation:
      break;
  }
  if (address.Station.empty() || address.Station.back() == u'駅') return address.Station;
  return address.Station + u"駅";
}

WideString StoredValue(MapButton button, const PostalAddress& address) {
  switch (button) {
    case MapButton::kPostalCode:
      return address.PostNum;
    case MapButton::kAddress:
      return TPzConv::Encode(address.Address1 + address.Address2);
    case MapButton::kStation:
      break;
  }
  return TPzConv::Encode(address.Station);
}

WideString ReplaceValue(WideString text, const WideString& value) {
  const size_t at = ToAsciiLower(text).find(kValue);
  if (at != WideString::npos) text.replace(at, kValue.size(), value);
  return text;
}

}  // namespace

WideString MapSearchUrl(const AnsiString& storedTemplate, MapButton button,
                        const PostalAddress& address) {
  if (!storedTemplate.empty())
    return ReplaceValue(SjisToWide(storedTemplate), StoredValue(button, address));
  const AnsiString encoded = PercentEncode(WideToUtf8(SearchText(button, address)), "-._~");
  return ReplaceValue(kMapSearch, Utf8ToWide(encoded));
}

TZyusyoForm::TZyusyoForm(const IniFileUnit& settings, Shell& shell, PostalAddress address)
    : Address(std::move(address)), settings_(settings), shell_(shell) {}

void TZyusyoForm::SetPostalCode(std::u16string_view masked) {
  Address.PostNum = Digits(masked);
}

void TZyusyoForm::Search(MapButton button) const {
  shell_.OpenUrl(MapSearchUrl(settings_.Read(keys::kMapSearchTemplate), button, Address));
}

}  // namespace orvane
