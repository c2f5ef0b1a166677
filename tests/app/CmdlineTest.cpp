#include <gtest/gtest.h>

#include "app/cmdline.h"
#include "platform/CodePage.h"

namespace orvane {
namespace {

std::string U8(const WideString& text) {
  return WideToUtf8(text);
}

TEST(Cmdline, SwitchesBeginWithSlashMinusOrPlus) {
  struct Case {
    const char16_t* argument;
    bool isSwitch;
  } cases[] = {
      {u"/o", true},
      {u"-o", true},
      {u"+o", true},
      {u"o", false},
      {u"subject=/x", false},
      {u"", false},
      {u" /o", false},
      {u"mailto:a@b", false},
      {u"/O", true},
      {u"/", true},
      // Absolute paths are file names, not switches.
      {u"/home/taro/note.txt", false},
      {u"/tmp/", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSwitch(c.argument), c.isSwitch) << U8(c.argument);
}

TEST(Cmdline, KeyEndsAtTheFirstEqualsColonOrBlank) {
  struct Case {
    const char16_t* argument;
    const char16_t* key;
  } cases[] = {
      {u"/o", u"/o"},
      {u"account=work", u"account"},
      {u"mailto:a@example.jp", u"mailto"},
      {u"mailto:a@example.jp?subject=x", u"mailto"},
      {u"subject=a:b", u"subject"},
      {u"subject x=y", u"subject"},
      {u"=value", u""},
      {u"/home/taro/note.txt", u"/home/taro/note.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(SwitchKey(c.argument)), U8(c.key)) << U8(c.argument);
}

TEST(Cmdline, ValueRules) {
  struct Case {
    const char16_t* argument;
    const char16_t* value;
  } cases[] = {
      {u"/o", u""},
      {u"mailto:taro@example.jp", u"taro@example.jp"},
      {u"mailto=taro@example.jp", u"taro@example.jp"},
      // An "=" anywhere wins over an earlier ":".
      {u"mailto:taro@example.jp?subject=x", u"x"},
      {u"subject=a:b", u"a:b"},
      {u"subject=  padded \t", u"padded"},
      {u"subject=\"  kept  \"", u"  kept  "},
      {u"subject=\"say \"\"hi\"\"\" dropped", u"say \"hi\""},
      {u"subject=\"unclosed rest", u"unclosed rest"},
      // An empty quoted text keeps the value as it was.
      {u"subject=\"\"", u"\"\""},
      {u"subject=", u""},
      {u"subject=件名テスト", u"件名テスト"},
      {u"subject=a=b", u"a=b"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(SwitchValue(c.argument)), U8(c.value)) << U8(c.argument);
}

TEST(Cmdline, MatchingIgnoresCaseAndTakesTheFirstArgument) {
  Arguments args{u"/usr/bin/orvane", u"Subject=Hi", u"subject=Second", u"/O", u"-r", u"+r"};
  EXPECT_TRUE(HasSwitch(args, u"subject", true));
  EXPECT_EQ(U8(GetSwitchValue(args, u"subject", true)), "Hi");
  EXPECT_TRUE(HasSwitch(args, u"/o", true));
  EXPECT_FALSE(HasSwitch(args, u"/o", false));
  EXPECT_FALSE(HasSwitch(args, u"/r", true));
  EXPECT_FALSE(HasSwitch(args, u"mailto", true));
  EXPECT_EQ(GetSwitchValue(args, u"mailto", true), u"");
  EXPECT_EQ(U8(GetSwitchValue(args, u"subject", false)), "Second");
  // Argument 0 is looked at too.
  EXPECT_TRUE(HasSwitch(args, u"/usr/bin/orvane", true));
}

}  // namespace
}  // namespace orvane
