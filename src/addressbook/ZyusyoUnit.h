#pragma once

#include "addressbook/ContactRecord.h"
#include "platform/Shell.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The map search buttons of the postal address dialog.
enum class MapButton { kPostalCode, kAddress, kStation };

// The web address a map button opens. A template stored in Search/Station
// gets "%Value%" (its first, in any case) replaced by the postal code's
// digits, or by the address lines joined or the station in TPzConv's
// Shift_JIS encoding. Without a stored template the built-in map search
// takes the text in UTF-8 percent-encoding (RFC 3986 section 2.1): the
// postal code written "150-0002", the station with "駅".
WideString MapSearchUrl(const AnsiString& storedTemplate, MapButton button,
                        const PostalAddress& address);

// The postal address dialog "住所入力": postal code, two address lines
// (joined in a read-only line below), nearest station, and the map search
// of each.
class TZyusyoForm {
 public:
  static constexpr int kHelpTopic = 21;

  TZyusyoForm(const IniFileUnit& settings, Shell& shell, PostalAddress address);

  PostalAddress Address;

  // The postal code field's text: only its digits are kept.
  void SetPostalCode(std::u16string_view masked);
  WideString JoinedAddress() const { return Address.Address1 + Address.Address2; }
  void Search(MapButton button) const;

 private:
  const IniFileUnit& settings_;
  Shell& shell_;
};

}  // namespace orvane
