#include <gtest/gtest.h>

#include "addressbook/PhoneMask.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

TEST(PhoneMask, FieldsFillFromTheRight) {
  struct Case {
    PhoneMask mask;
    PhoneDigits fields;
    std::optional<std::u16string> masked;
  } cases[] = {
      {PhoneMask::kGeneral, {u"03", u"1234", u"5678"}, u"(   03)-1234-5678"},
      {PhoneMask::kGeneral, {u"", u"", u""}, u"(     )-    -    "},
      {PhoneMask::kGeneral, {u"01234", u"56", u"7890"}, u"(01234)-  56-7890"},
      {PhoneMask::kShort, {u"090", u"1234", u"5678"}, u" 090-1234-5678"},
      {PhoneMask::kShort, {u"", u"", u"110"}, u"    -    - 110"},
      {PhoneMask::kShort, {u"01234", u"5", u"6"}, std::nullopt},
      {PhoneMask::kGeneral, {u"123456", u"", u""}, std::nullopt},
      {PhoneMask::kGeneral, {u"0a", u"", u""}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MaskPhone(c.mask, c.fields), c.masked) << WideToUtf8(c.fields[0]);
    if (c.masked) {
      EXPECT_EQ(PhoneFields(*c.masked), c.fields);
    }
  }
  EXPECT_EQ(PhoneMaskOf(0), PhoneMask::kGeneral);
  EXPECT_EQ(PhoneMaskOf(1), PhoneMask::kGeneral);
  EXPECT_EQ(PhoneMaskOf(2), PhoneMask::kShort);
  EXPECT_EQ(PhoneMaskOf(4), PhoneMask::kShort);
}

TEST(PhoneMask, NumbersAsOtherProgramsWriteThem) {
  struct Case {
    PhoneMask mask;
    std::u16string number;
    std::optional<std::u16string> masked;
    std::u16string back;  // PhoneToNumber of the masked text
  } cases[] = {
      {PhoneMask::kGeneral, u"03-1234-5678", u"(   03)-1234-5678", u"03-1234-5678"},
      {PhoneMask::kGeneral, u"(03) 1234-5678", u"(   03)-1234-5678", u"03-1234-5678"},
      {PhoneMask::kGeneral, u"０３−１２３４ー５６７８", u"(   03)-1234-5678", u"03-1234-5678"},
      {PhoneMask::kGeneral, u"０３-１２３４-５６７８", u"(   03)-1234-5678", u"03-1234-5678"},
      {PhoneMask::kShort, u"+81-90-1234-5678", u" 090-1234-5678", u"090-1234-5678"},
      {PhoneMask::kShort, u"+81 90 1234 5678", u" 090-1234-5678", u"090-1234-5678"},
      {PhoneMask::kShort, u"09012345678", u" 090-1234-5678", u"090-1234-5678"},
      {PhoneMask::kGeneral, u"0312345678", u"(   03)-1234-5678", u"03-1234-5678"},
      {PhoneMask::kGeneral, u"1234-5678", u"(     )-1234-5678", u"1234-5678"},
      {PhoneMask::kShort, u"110", u"    -    - 110", u"110"},
      {PhoneMask::kShort, u"+1-418-656-9254", std::nullopt, u""},
      {PhoneMask::kShort, u"03-1234-5678 ext. 9", std::nullopt, u""},
      {PhoneMask::kShort, u"0-1-2-3", std::nullopt, u""},
      {PhoneMask::kShort, u"12345678901234", std::nullopt, u""},
      {PhoneMask::kShort, u"", std::nullopt, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PhoneFromNumber(c.mask, c.number), c.masked) << WideToUtf8(c.number);
    if (c.masked) {
      EXPECT_EQ(PhoneToNumber(*c.masked), c.back) << WideToUtf8(c.number);
    }
  }
  // A value the settings store read back without its outer blanks.
  EXPECT_EQ(PhoneToNumber(u"090-1234-5678"), u"090-1234-5678");
  EXPECT_EQ(PhoneToNumber(u"(     )-    -"), u"");
}

}  // namespace
}  // namespace orvane
