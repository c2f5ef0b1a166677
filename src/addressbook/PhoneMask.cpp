#include "addressbook/PhoneMask.h"

#include <algorithm>
#include <vector>

#include "platform/KanaText.h"

namespace orvane {
namespace {

constexpr std::array<size_t, 3> kGeneralWidths = {5, 4, 4};
constexpr std::array<size_t, 3> kShortWidths = {4, 4, 4};

const std::array<size_t, 3>& Widths(PhoneMask mask) {
  return mask == PhoneMask::kGeneral ? kGeneralWidths : kShortWidths;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Hyphens of every kind (U+2010-U+2015, the minus sign, the long vowel
// mark that Japanese text often writes for one, here in half width),
// blanks, brackets, dots.
bool IsSeparator(char16_t c) {
  return c == u'-' || c == u' ' || c == u'(' || c == u')' || c == u'.' ||
         (c >= u'\u2010' && c <= u'\u2015') || c == u'\u2212' || c == u'ｰ';
}

// The runs of digits of a number; nullopt when it holds other characters.
std::optional<std::vector<WideString>> DigitGroups(std::u16string_view number) {
  std::vector<WideString> groups;
  bool inGroup = false;
  for (char16_t c : number) {
    if (IsDigit(c)) {
      if (!inGroup) groups.emplace_back();
      groups.back() += c;
      inGroup = true;
    } else if (IsSeparator(c)) {
      inGroup = false;
    } else {
      return std::nullopt;
    }
  }
  return groups;
}

}  // namespace

PhoneMask PhoneMaskOf(size_t index) {
  return index < 2 ? PhoneMask::kGeneral : PhoneMask::kShort;
}

std::optional<WideString> MaskPhone(PhoneMask mask, const PhoneDigits& fields) {
  const auto& widths = Widths(mask);
  WideString text = mask == PhoneMask::kGeneral ? u"(" : u"";
  for (size_t i = 0; i < 3; ++i) {
    const WideString& digits = fields[i];
    if (digits.size() > widths[i] || !std::all_of(digits.begin(), digits.end(), IsDigit))
      return std::nullopt;
    text.append(widths[i] - digits.size(), u' ');
    text += digits;
    if (i == 0 && mask == PhoneMask::kGeneral) text += u')';
    if (i < 2) text += u'-';
  }
  return text;
}

PhoneDigits PhoneFields(std::u16string_view masked) {
  PhoneDigits fields;
  size_t field = 0;
  for (char16_t c : masked) {
    if (IsDigit(c)) {
      fields[field] += c;
    } else if (c == u'-' && field < 2) {
      ++field;
    }
  }
  return fields;
}

std::optional<WideString> PhoneFromNumber(PhoneMask mask, std::u16string_view number) {
  WideString text = ToHalfWidth(number);
  bool international = text.starts_with(u"+81");
  if (international) text.erase(0, 3);
  auto groups = DigitGroups(text);
  if (!groups || groups->empty()) return std::nullopt;
  if (international) groups->front().insert(0, u"0");

  const auto& widths = Widths(mask);
  PhoneDigits fields;
  if (groups->size() == 1) {
    // Digits alone: the last two fields take four digits each.
    WideString digits = groups->front();
    for (size_t i = 3; i-- > 0 && !digits.empty();) {
      size_t take = i == 0 ? digits.size() : std::min(widths[i], digits.size());
      fields[i] = digits.substr(digits.size() - take);
      digits.resize(digits.size() - take);
    }
  } else if (groups->size() <= 3) {
    std::copy(groups->begin(), groups->end(), fields.end() - groups->size());
  } else {
    return std::nullopt;
  }
  return MaskPhone(mask, fields);
}

WideString PhoneToNumber(std::u16string_view masked) {
  WideString number;
  for (const WideString& field : PhoneFields(masked)) {
    if (field.empty()) continue;
    if (!number.empty()) number += u'-';
    number += field;
  }
  return number;
}

}  // namespace orvane
