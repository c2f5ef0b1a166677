#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "settings/AccountValues.h"
#include "settings/IniFileUnit.h"
#include "settings/ProfileBlock.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

template <typename E, typename F>
WideString MessageOf(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return u"(no error)";
}

TEST(IniFileUnit, GeneralAndAccountFilesLiveInTheProgramFolder) {
  TempFolder home;
  IniFileUnit unit(home.Path());
  unit.WriteGeneralInteger("Encode", "Encode", 3);
  unit.WriteGeneralString("Option", "Extention", "txt");
  unit.WriteGeneralBool("Option", "AlphaBlend", true);
  unit.WriteGeneralBool("Option", "GoBlend", false);
  unit.WriteGeneralInteger("Window", "Left", -12);
  EXPECT_EQ(ReadFile(home / "orvane.ini"),
            "[Encode]\r\nEncode=3\r\n\r\n[Option]\r\nExtention=txt\r\nAlphaBlend=1\r\n"
            "GoBlend=0\r\n\r\n[Window]\r\nLeft=-12\r\n");
  EXPECT_EQ(unit.ReadGeneralInteger("Window", "Left", 0), -12);
  EXPECT_FALSE(unit.ReadGeneralBool("Option", "GoBlend", true));
  EXPECT_EQ(unit.ReadGeneralInteger("Encode", "Encode", 0), 3);
  EXPECT_EQ(unit.ReadGeneralString("Option", "Extention", "eml"), "txt");
  EXPECT_TRUE(unit.ReadGeneralBool("Option", "AlphaBlend", false));

  unit.WriteAccountString("work", "SMTP", "mail.example.jp");
  unit.WriteAccountValue("work", "Signature", "DateTime1", "yyyy");
  EXPECT_EQ(ReadFile(home / "work.ini"),
            "[Account]\r\nSMTP=mail.example.jp\r\n\r\n[Signature]\r\nDateTime1=yyyy\r\n");
  EXPECT_EQ(unit.ReadAccountString("work", "smtp", ""), "mail.example.jp");
  EXPECT_EQ(unit.ReadAccountValue("work", "Signature", "DateTime1", ""), "yyyy");
  EXPECT_EQ(unit.ReadAccountString("work", "SMTPPORT", "25"), "25");
  EXPECT_TRUE(unit.AccountExists("work"));
  EXPECT_FALSE(unit.AccountExists("home"));

  unit.EraseAccountSection("work", "signature");
  EXPECT_EQ(ReadFile(home / "work.ini"), "[Account]\r\nSMTP=mail.example.jp\r\n\r\n");
}

TEST(IniFileUnit, NewAccountAndSettingsFilesArePrivate) {
  TempFolder home;
  IniFileUnit unit(home.Path());
  unit.WriteAccountString("work", "Pass", "secret");
  EXPECT_EQ(fs::status(home / "work.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  unit.WriteGeneralInteger("Window", "Left", 1);
  EXPECT_EQ(fs::status(home / "orvane.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ListDirectory(home.Path(), ".*").size(), 0u) << "a temporary file was left behind";
}

TEST(IniFileUnit, SecretsAreReadWholeAndUserTextsAtTheStoresLength) {
  const std::string long3000(3000, 't');
  const struct {
    AccountText key;
    size_t length;
  } cases[] = {
      {keys::kPass, 3000},
      {keys::kOAuthRefreshToken, 3000},
      {keys::kTlsFingerprint, 3000},
      {keys::kName, 2047},
  };
  for (const auto& c : cases) {
    TempFolder home;
    WriteFile(home / "a.ini", std::string("[Account]\r\n") + c.key.key + "=" + long3000 + "\r\n");
    IniFileUnit unit(home.Path());
    EXPECT_EQ(unit.Read("a", c.key), long3000.substr(0, c.length)) << c.key.key;
    EXPECT_EQ(AccountValues(unit, "a").Text(c.key), long3000.substr(0, c.length)) << c.key.key;
  }
}

TEST(IniFileUnit, AccountFileIsFoundWithoutRegardToCase) {
  TempFolder home;
  WriteFile(home / "Work.INI", "[Account]\r\nName=W\r\n");
  WriteFile(home / "ORVANE.INI", "[Window]\r\nLeft=5\r\n");
  IniFileUnit unit(home.Path());
  EXPECT_TRUE(unit.AccountExists("work"));
  EXPECT_EQ(unit.ReadAccountString("work", "Name", ""), "W");
  unit.WriteAccountString("work", "Address", "w@example.jp");
  EXPECT_FALSE(fs::exists(home / "work.ini"));
  EXPECT_EQ(ReadFile(home / "Work.INI"), "[Account]\r\nName=W\r\nAddress=w@example.jp\r\n");
  EXPECT_EQ(unit.ReadGeneralInteger("Window", "Left", 0), 5);
}

TEST(IniFileUnit, AccountNameCannotLeaveTheProgramFolder) {
  TempFolder home;
  fs::create_directory(home / "sub");
  WriteFile(home / "sub" / "x.ini", "[Account]\r\nName=X\r\n");
  IniFileUnit unit(home / "sub" / "..");
  EXPECT_FALSE(unit.AccountExists("sub/x"));
  EXPECT_THROW(unit.WriteAccountString("sub/x", "Name", "Y"), FileError);
  EXPECT_EQ(ReadFile(home / "sub" / "x.ini"), "[Account]\r\nName=X\r\n");
  for (const char* name : {".", "..", "a/b", "/x"}) {
    EXPECT_FALSE(IsAccountName(name)) << name;
    EXPECT_THROW(unit.WriteAccountString(name, "Name", "Y"), FileError) << name;
  }
  EXPECT_FALSE(IsAccountName(std::string("a\0b", 3)));
  for (const char* name : {"...", ".work", "a.b", "", "\x83\x5c"})  // "ソ" ends in "\\"
    EXPECT_TRUE(IsAccountName(name)) << name;
  EXPECT_EQ(ListDirectory(home.Path(), "*.ini").size(), 0u);
}

TEST(IniFileUnit, AccountBooleans) {
  const struct {
    const char* stored;  // nullptr: key absent
    bool expected;
  } cases[] = {
      {"-1", true},     {"0", false},     {"1", true},      {"5", true},
      {"False", false}, {"FALSE", false}, {"false", false}, {"True", true},
      {"tRuE", true},   {"$0", false},    {nullptr, false},
  };
  for (const auto& c : cases) {
    TempFolder home;
    IniFileUnit unit(home.Path());
    if (c.stored) unit.WriteAccountString("a", "Auth", c.stored);
    EXPECT_EQ(unit.ReadAccountBool("a", "Auth"), c.expected) << (c.stored ? c.stored : "absent");
  }
  for (const char* text : {"yes", "", "1.5", "on"})
    EXPECT_THROW(AccountBoolFromText(text), ConvertError) << text;
  EXPECT_EQ(MessageOf<ConvertError>([] { AccountBoolFromText("yes"); }),
            u"'yes' は有効なブール値ではありません");
}

TEST(IniFileUnit, StrToInt) {
  EXPECT_EQ(StrToInt("25"), 25);
  EXPECT_EQ(StrToInt("$19"), 25);
  EXPECT_EQ(MessageOf<ConvertError>([] { StrToInt("25a"); }),
            u"'25a' は有効な整数値ではありません");
  EXPECT_EQ(MessageOf<ConvertError>([] { StrToInt(WideToSjis(u"二十五")); }),
            u"'二十五' は有効な整数値ではありません");
}

TEST(IniFileUnit, ReadsBlocks) {
  const struct {
    const char* what;
    std::string section;
    std::string stored;
    std::string expected;
  } cases[] = {
      {"no section", "", "", ""},
      {"no LineCount", "[Signature]\r\nLine1=\"a\"\r\n", "", ""},
      {"LineCount 0", "[Signature]\r\nLineCount=0\r\nLine1=\"a\"\r\n", "", ""},
      {"negative LineCount", "[Signature]\r\nLineCount=-2\r\nLine1=\"a\"\r\n", "", ""},
      {"quoted lines keep blanks",
       "[Signature]\r\nLineCount=2\r\nLine1=\"  -- \"\r\nLine2=\" Taro\"\r\n", "",
       "  -- \r\n Taro"},
      {"missing Line keys read empty", "[Signature]\r\nLineCount=3\r\nLine1=\"first\"\r\n", "",
       "first\r\n\r\n"},
      {"keys in any order and case",
       "[signature]\r\nline2=b\r\nLINECOUNT=2\r\nLine1=a\r\nLine1=x\r\nLine02=y\r\n", "", "a\r\nb"},
      {"lines past LineCount ignored", "[Signature]\r\nLineCount=1\r\nLine1=a\r\nLine2=b\r\n", "",
       "a"},
  };
  for (const auto& c : cases) {
    TempFolder home;
    WriteFile(home / "a.ini", c.section);
    EXPECT_EQ(IniFileUnit(home.Path()).ReadSignatureBlock("a"), c.expected) << c.what;
  }
}

TEST(IniFileUnit, XHeaderLinesReadWithColon) {
  TempFolder home;
  WriteFile(home / "a.ini",
            "[XHeader]\r\nLineCount=3\r\nLine1=\"X-Note=a=b\"\r\nLine2=\"NoEquals\"\r\n"
            "Line3=\"X-Empty=\"\r\n[Template]\r\nLineCount=1\r\nLine1=\"k=v\"\r\n");
  IniFileUnit unit(home.Path());
  EXPECT_EQ(unit.ReadXHeaderBlock("a"), "X-Note: a=b\r\nNoEquals\r\nX-Empty: ");
  EXPECT_EQ(unit.ReadTemplateBlock("a"), "k=v");
}

TEST(IniFileUnit, BadLineCountIsAConversionError) {
  TempFolder home;
  IniFileUnit unit(home.Path());
  WriteFile(home / "a.ini",
            "[Signature]\r\nLineCount=three\r\n[Template]\r\nLineCount=$7FFFFFFF\r\n"
            "[XHeader]\r\nLineCount=2x\r\n");
  EXPECT_EQ(MessageOf<ConvertError>([&] { unit.ReadSignatureBlock("a"); }),
            u"'three' は有効な整数値ではありません");
  EXPECT_THROW(unit.ReadTemplateBlock("a"), ConvertError);
  EXPECT_THROW(unit.ReadXHeaderBlock("a"), ConvertError);
}

TEST(IniFileUnit, WritesBlocksAsTheDialogsDo) {
  TempFolder home;
  IniFileUnit unit(home.Path());
  WriteFile(home / "a.ini",
            "[Account]\r\nName=A\r\n\r\n[Signature]\r\nLineCount=4\r\nLine1=a\r\nLine4=d\r\n"
            "DateTime1=old\r\n\r\n[XHeader]\r\nLineCount=1\r\nLine1=\"X-A=1\"\r\n");
  unit.WriteAccountBlock("a", "Signature", "  indented  \r\n\r\n\"last\"\r\n",
                         {{"DateTime1", "yyyy"}, {"DateTime2", ""}});
  EXPECT_EQ(ReadFile(home / "a.ini"),
            "[Account]\r\nName=A\r\n\r\n[XHeader]\r\nLineCount=1\r\nLine1=\"X-A=1\"\r\n\r\n"
            "[Signature]\r\nDateTime1=yyyy\r\nDateTime2=\r\nLineCount=3\r\n"
            "Line1=\"  indented  \"\r\nLine2=\"\"\r\nLine3=\"\"last\"\"\r\n");
  EXPECT_EQ(unit.ReadSignatureBlock("a"), "  indented  \r\n\r\n\"last\"");

  // Line feeds alone, as a text field gives them, end lines too.
  unit.WriteAccountBlock("a", "XHeader", "X-Note=a=b\nX-B=2");
  EXPECT_EQ(unit.ReadXHeaderBlock("a"), "X-Note: a=b\r\nX-B: 2");

  unit.WriteAccountBlock("a", "Signature", "", {{"DateTime1", "yyyy"}});
  EXPECT_EQ(unit.ReadAccountValue("a", "Signature", "LineCount", "absent"), "absent");
  EXPECT_EQ(unit.ReadAccountValue("a", "Signature", "Line1", "absent"), "absent");
  EXPECT_EQ(unit.ReadAccountValue("a", "Signature", "DateTime1", ""), "yyyy");
  EXPECT_EQ(unit.ReadSignatureBlock("a"), "");

  unit.WriteAccountBlock("a", "XHeader", "");
  EXPECT_EQ(ReadFile(home / "a.ini"),
            "[Account]\r\nName=A\r\n\r\n[Signature]\r\nDateTime1=yyyy\r\n");
}

TEST(SplitTextLines, AsAMultiLineFieldCountsLines) {
  using Lines = std::vector<AnsiString>;
  const struct {
    const char* text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"\n\r", {"", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitTextLines(c.text), c.lines) << c.text;
}

TEST(IniFileUnit, FailedBlockWriteKeepsTheOldBlock) {
  TempFolder home;
  const std::string old = "[Signature]\r\nLineCount=1\r\nLine1=\"old\"\r\n";
  WriteFile(home / "a.ini", old);
  fs::permissions(home / "a.ini", fs::perms::owner_read);
  IniFileUnit unit(home.Path());
  EXPECT_EQ(MessageOf<FileError>([&] { unit.WriteAccountBlock("a", "Signature", "new"); }),
            PathToWide(home / "a.ini") + u" に書き込めません");
  EXPECT_EQ(ReadFile(home / "a.ini"), old);
}

TEST(IniFileUnit, ListAttachFilesGivesPlainFiles) {
  TempFolder home;
  IniFileUnit unit(home.Path());
  EXPECT_EQ(unit.ListAttachFiles(), "");
  auto folder = home / "AttachFiles";
  WriteFile(folder / "b.txt", "b");
  WriteFile(folder / "資料.pdf", "p");
  WriteFile(folder / "a.txt", "a");
  WriteFile(folder / ".hidden", "h");
  fs::create_directory(folder / "sub");
  std::string prefix = PathToSjis(folder) + "/";
  EXPECT_EQ(unit.ListAttachFiles(),
            prefix + "a.txt\r\n" + prefix + "b.txt\r\n" + prefix + "\x8e\x91\x97\xbf.pdf\r\n");
}

TEST(ExpandLongPath, GivesTheCanonicalPathOfAnExistingPath) {
  TempFolder dir;
  WriteFile(dir / "Real" / "File.txt", "x");
  fs::create_directory_symlink(dir / "Real", dir / "link");
  fs::path real = fs::canonical(dir / "Real");
  const struct {
    fs::path path, expected;
  } cases[] = {
      {dir / "link" / "File.txt", real / "File.txt"},
      {dir.Path().native() + "/Real/", real},
      {dir.Path().native() + "/Real/./../Real", real},
      {"/no/such/folder/", "/no/such/folder"},
      {"/no/such//", "/no/such/"},
      {"/", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandLongPath(c.path), c.expected) << c.path;
}

}  // namespace
}  // namespace orvane
