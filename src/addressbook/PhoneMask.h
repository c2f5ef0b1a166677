#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// The contact editor's telephone masks. A telephone is stored as the
// masked text with its literal characters: "(99999)-9999-9999" for the two
// general numbers, "9999-9999-9999" for mobile, FAX and IP telephone. Each
// field of digits is filled from the right, its empty leading positions
// blanks: "(   03)-1234-5678", " 090-1234-5678".
enum class PhoneMask { kGeneral, kShort };

// The mask of telephone i (0-4: general 1, general 2, mobile, FAX, IP).
PhoneMask PhoneMaskOf(size_t index);

using PhoneDigits = std::array<WideString, 3>;

// The masked text of three fields of digits; nullopt when a field holds
// more digits than it has positions, or anything but digits.
std::optional<WideString> MaskPhone(PhoneMask mask, const PhoneDigits& fields);
// The digits of each field of a masked text (blanks dropped).
PhoneDigits PhoneFields(std::u16string_view masked);

// A telephone number as other programs write it ("03-1234-5678",
// "+81 90 1234 5678", "0312345678", full-width digits) in the mask: groups
// of digits separated by hyphens, blanks, "(", ")" or "." fill the fields from
// the last one back; a number of digits alone fills them from the right,
// four digits a field; "+81" stands for the leading "0". nullopt when the
// number does not fit (other characters, another country code, more groups
// or digits than the mask holds).
std::optional<WideString> PhoneFromNumber(PhoneMask mask, std::u16string_view number);
// The filled fields of a masked text joined by "-": "03-1234-5678".
WideString PhoneToNumber(std::u16string_view masked);

}  // namespace orvane
