#include "addressbook/PhoneUnit.h"

namespace orvane {

void TPhoneForm::SetPhone(size_t index, std::u16string_view field) {
  const PhoneMask mask = PhoneMaskOf(index);
  Phones.at(index) = MaskPhone(mask, PhoneFields(field)).value_or(WideString(field));
}

}  // namespace orvane
