#include <gtest/gtest.h>

#include "addressbook/PzConv.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

TEST(PzConv, EncodesShiftJisBytesForTheMapSearch) {
  struct Case {
    std::u16string text;
    std::u16string encoded;
  } cases[] = {
      {u"", u""},
      // 東京 = 93 8C 8B 9E; 渋谷 = 8F 61 92 4A: the second bytes below 0x80
      // stay as the characters they are.
      {u"東京 渋谷", u"%93%8c%8b%9e+%8fa%92J"},
      {u"ｱ", u"%b1"},
      {u"a&b=c/d?e%f+g", u"a&b=c/d?e%f+g"},
      {u"1-2 3", u"1-2+3"},
  };
  for (const auto& c : cases) EXPECT_EQ(TPzConv::Encode(c.text), c.encoded) << WideToUtf8(c.text);
}

}  // namespace
}  // namespace orvane
