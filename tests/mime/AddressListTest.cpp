#include <gtest/gtest.h>

#include <vector>

#include "mime/AddressList.h"

namespace orvane {
namespace {

TEST(ParseAddress, TakesTheFirstElementsAddressAndLeavesTheRest) {
  const struct {
    std::u16string text;
    const char* address;
    std::u16string rest;
  } cases[] = {
      {u"山田 太郎 <yamada@example.com>, suzuki@example.com", "yamada@example.com",
       u" suzuki@example.com"},
      {u"a@example.com (the boss)", "a@example.com", u""},
      {u"Name <a@x>", "a@x", u""},
      {u"\"Doe, John\" <j@x>, k@y", "j@x", u" k@y"},
      {u"a@x (comment, with comma), b@y", "a@x", u" b@y"},
      {u"<\"a b\"@x>", "\"a b\"@x", u""},
      {u"\"a b\"@x", "\"a b\"@x", u""},
      {u"日本 a@x", "a@x", u""},
      {u"<a@x> <b@y>", "a@xb@y", u""},  // ids separated by blanks only join
      {u"<a@x, b@y>", "a@xb@y", u""},   // a comma in brackets separates nothing
      {u", b@y", "", u" b@y"},
      {u"(nobody)", "", u""},
      {u"", "", u""},
  };
  for (const auto& c : cases) {
    TParsedAddress parsed = ParseAddress(c.text);
    EXPECT_EQ(parsed.address, c.address);
    EXPECT_EQ(parsed.rest, c.rest);
  }
}

TEST(AddressList, AddsEveryNewAddressAndSkipsEmptyElements) {
  TAddressList list;
  EXPECT_EQ(list.Add(u"a@x,,b@y"), 1);
  EXPECT_EQ(list.Add(u"B@y, (none), c@z, a@x"), 3);
  EXPECT_EQ(std::vector<AnsiString>(list.begin(), list.end()),
            (std::vector<AnsiString>{"a@x", "b@y", "B@y", "c@z"}));
  EXPECT_EQ(list.IndexOf("c@z"), 3);
  EXPECT_EQ(list.IndexOf("C@z"), -1);
  EXPECT_EQ(list.Text(), "a@x\r\nb@y\r\nB@y\r\nc@z\r\n");
  EXPECT_EQ(list.Add(std::string_view("\x8e\x52\x93\x63 <d@w>")), 4);  // Shift_JIS text
  EXPECT_EQ(list[4], "d@w");
  list.Clear();
  EXPECT_EQ(list.Add(u""), -1);
  EXPECT_TRUE(list.Empty());
}

}  // namespace
}  // namespace orvane
