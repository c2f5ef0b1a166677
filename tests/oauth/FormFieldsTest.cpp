#include <gtest/gtest.h>

#include "oauth/FormFields.h"

namespace orvane {
namespace {

TEST(FormFields, EncodeEscapesAllButTheUnreservedCharacters) {
  struct Case {
    FormFields fields;
    const char* text;
  } cases[] = {
      {{}, ""},
      {{{"a", "b"}, {"c", ""}}, "a=b&c="},
      {{{"scope", "https://outlook.office.com/SMTP.Send offline_access"}},
       "scope=https%3A%2F%2Foutlook.office.com%2FSMTP.Send%20offline_access"},
      {{{"x", "-._~AZaz09"}}, "x=-._~AZaz09"},
      {{{"k&=", "+%\x01\xe3\x81\x82"}}, "k%26%3D=%2B%25%01%E3%81%82"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormEncode(c.fields), c.text) << c.text;
}

TEST(FormFields, DecodeReadsWhatBrowsersAndServersWrite) {
  struct Case {
    const char* text;
    FormFields fields;
  } cases[] = {
      {"", {}},
      {"code=abc&state=x%2By", {{"code", "abc"}, {"state", "x+y"}}},
      {"a=b+c%20d&&e&f=", {{"a", "b c d"}, {"e", ""}, {"f", ""}}},
      // Lower-case escapes count; a "%" without two hex digits stays.
      {"u=%e3%81%82&v=100%&w=%zz", {{"u", "\xe3\x81\x82"}, {"v", "100%"}, {"w", "%zz"}}},
      {"a=1=2", {{"a", "1=2"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(FormDecode(c.text), c.fields) << c.text;
  EXPECT_EQ(FormValue(FormDecode("a=1&a=2"), "a"), "1");
  EXPECT_EQ(FormValue(FormDecode("a=1"), "b"), std::nullopt);
}

}  // namespace
}  // namespace orvane
