#include <gtest/gtest.h>

#include <string>

#include "settings/IniFile.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::TempFolder;
using test::WriteFile;

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;
};

TEST(IniFileRead, PrivateProfileSemantics) {
  const std::string def = "<default>";
  const ReadCase cases[] = {
      {"blanks trimmed", "[S]\r\nK=  value  \r\n", "S", "K", "value"},
      {"tabs trimmed", "[S]\r\nK=\tv\t\r\n", "S", "K", "v"},
      {"double quotes keep blanks", "[S]\r\nK=\"  v  \"\r\n", "S", "K", "  v  "},
      {"single quotes keep blanks", "[S]\r\nK='  v  '\r\n", "S", "K", "  v  "},
      {"quotes around blanks", "[S]\r\nK=  \"a\"  \r\n", "S", "K", "a"},
      {"one pair only", "[S]\r\nK=\"\"a\"\"\r\n", "S", "K", "\"a\""},
      {"inner quote kept", "[S]\r\nK=\"a\"b\"\r\n", "S", "K", "a\"b"},
      {"mismatched quotes", "[S]\r\nK=\"a'\r\n", "S", "K", "\"a'"},
      {"unclosed quote", "[S]\r\nK=\"a\r\n", "S", "K", "\"a"},
      {"lone quote", "[S]\r\nK=\"\r\n", "S", "K", "\""},
      {"quote not at the end", "[S]\r\nK=\"a\" b\r\n", "S", "K", "\"a\" b"},
      {"empty quotes", "[S]\r\nK=\"\"\r\n", "S", "K", ""},
      {"empty value is not the default", "[S]\r\nK=\r\n", "S", "K", ""},
      {"text after the first =", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
      {"blanks around =", "[S]\r\n  K  =  v\r\n", "S", "K", "v"},
      {"section case", "[option]\r\nK=v\r\n", "OPTION", "K", "v"},
      {"key case", "[S]\r\nsendtoself=1\r\n", "S", "SendToSelf", "1"},
      {"first occurrence", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", "1"},
      {"first of two sections", "[S]\r\nK=1\r\n[s]\r\nK=2\r\n", "S", "K", "1"},
      {"repeated section", "[S]\r\nA=1\r\n[T]\r\nK=t\r\n[S]\r\nK=2\r\n", "S", "K", "2"},
      {"other section", "[T]\r\nK=v\r\n", "S", "K", def},
      {"missing key", "[S]\r\nL=v\r\n", "S", "K", def},
      {"line without =", "[S]\r\nK\r\nK=v\r\n", "S", "K", "v"},
      {"comment line", "[S]\r\n;K=x\r\nK=y\r\n", "S", ";K", def},
      {"key before any section", "K=v\r\n[S]\r\n", "S", "K", def},
      {"header with blanks", "  [ S ]  \r\nK=v\r\n", "S", "K", "v"},
      {"text after the header", "[S] ; note\r\nK=v\r\n", "S", "K", "v"},
      {"no final newline", "[S]\r\nK=v", "S", "K", "v"},
      {"LF line ends", "[S]\nK=v\n", "S", "K", "v"},
      {"empty file", "", "S", "K", def},
      // ア is 83 41 and ヂ 83 61: folding the second byte would join them.
      {"second byte is not a letter", "[S]\r\n\x83\x41=v\r\n", "S", "\x83\x61", def},
      {"double-byte key", "[S]\r\n\x83\x41=v\r\n", "S", "\x83\x41", "v"},
      // ゾ is 83 5D: its second byte is "]".
      {"second byte is ]", "[\x83\x5D]\r\nK=v\r\n", "\x83\x5D", "K", "v"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir / "t.ini", c.file);
    EXPECT_EQ(IniFile(dir / "t.ini").ReadString(c.section, c.key, def), c.expected) << c.what;
  }
}

TEST(IniFileRead, MissingFileGivesTheDefault) {
  TempFolder dir;
  IniFile file(dir / "missing.ini");
  EXPECT_EQ(file.ReadString("S", "K", "d"), "d");
  EXPECT_EQ(file.ReadInteger("S", "K", 7), 7);
  EXPECT_FALSE(file.SectionExists("S"));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.ini"));
}

TEST(IniFileRead, ValuesStopAt2047BytesWithoutSplittingACharacter) {
  const std::string a2045(2045, 'a'), a2046(2046, 'a'), a2047(2047, 'a');
  // 亜 is 88 9F: its second byte lies in the range of first bytes.
  const std::string kanji = "\x88\x9F";
  const struct {
    std::string value, expected;
  } cases[] = {
      {a2047, a2047},
      {a2047 + "b", a2047},
      {std::string(3000, 'x'), std::string(2047, 'x')},
      {"\"" + a2047 + "b\"", a2047},
      {a2046 + kanji, a2046},
      {a2045 + kanji + "b", a2045 + kanji},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir / "t.ini", "[S]\r\nK=" + c.value + "\r\n");
    std::string read = IniFile(dir / "t.ini").ReadString("S", "K", "");
    EXPECT_EQ(read.size(), c.expected.size());
    EXPECT_TRUE(read == c.expected) << "ends in " << testing::PrintToString(read.substr(2040));
  }
}

TEST(IniFileRead, Integers) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"10", 10},
      {"-5", -5},
      {"+3", 3},
      {"007", 7},
      {"$1F", 31},
      {"$1f", 31},
      {"0x1f", 31},
      {"0X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", -2147483647 - 1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      // Anything else gives the default, 99.
      {"2147483648", 99},
      {"$100000000", 99},
      {"abc", 99},
      {"12a", 99},
      {"", 99},
      {"$", 99},
      {"0x", 99},
      {"-", 99},
      {"1.5", 99},
      {"\" 7\"", 99},
      {"$G", 99},
      {"1 2", 99},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir / "t.ini", std::string("[S]\r\nK=") + c.text + "\r\n");
    EXPECT_EQ(IniFile(dir / "t.ini").ReadInteger("S", "K", 99), c.expected) << c.text;
  }
}

TEST(IniFileRead, GeneralBooleansAreIntegers) {
  const struct {
    const char* text;
    bool whenDefaultFalse, whenDefaultTrue;
  } cases[] = {
      {"1", true, true}, {"0", false, false},   {"-1", true, true},   {"$0", false, false},
      {"2", true, true}, {"True", false, true}, {"yes", false, true}, {"", false, true},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir / "t.ini", std::string("[S]\r\nK=") + c.text + "\r\n");
    IniFile file(dir / "t.ini");
    EXPECT_EQ(file.ReadBool("S", "K", false), c.whenDefaultFalse) << c.text;
    EXPECT_EQ(file.ReadBool("S", "K", true), c.whenDefaultTrue) << c.text;
  }
}

TEST(IniFileRead, NothingIsCached) {
  TempFolder dir;
  IniFile file(dir / "t.ini");
  WriteFile(dir / "t.ini", "[S]\r\nK=1\r\n");
  EXPECT_EQ(file.ReadInteger("S", "K", 0), 1);
  WriteFile(dir / "t.ini", "[S]\r\nK=2\r\n");
  EXPECT_EQ(file.ReadInteger("S", "K", 0), 2);
}

}  // namespace
}  // namespace orvane
