#pragma once

#include <array>
#include <string_view>

#include "addressbook/PhoneMask.h"
#include "platform/Types.h"

namespace orvane {

// The telephone dialog "電話番号入力": five numbers, each kept as the
// masked text the contact file stores.
class TPhoneForm {
 public:
  static constexpr int kHelpTopic = 29;
  static constexpr std::array<const char16_t*, 5> kLabels = {
      u"一般電話1(&1)", u"一般電話2(&2)", u"携帯電話 (&M)", u"FAX (&F)", u"IP電話 (&I)"};

  explicit TPhoneForm(const std::array<WideString, 5>& phones) : Phones(phones) {}

  std::array<WideString, 5> Phones;

  // The field of telephone i as the user left it: its digits in the mask's
  // places, its empty places blank. The stored text keeps the literal
  // characters and fills each run of digits from the right, a number
  // entered only partly keeping blanks in its empty places.
  void SetPhone(size_t index, std::u16string_view field);
};

}  // namespace orvane
