#include <gtest/gtest.h>

#include <optional>

#include "app/MessageFile.h"
#include "app/MessageFileName.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Path.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

WideString W(const std::string& utf8) {
  return Utf8ToWide(utf8);
}

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

TEST(ReplaceFileNameChars, EachReservedCharacterBecomesItsFullWidthForm) {
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"Re: a/b?", "Re： a／b？"},
      {"\\/:*?<>|.", "￥／：＊？＜＞｜．"},
      {"<20030105.ab@x.example.jp>", "＜20030105．ab@x．example．jp＞"},
      // 表 and ソ end in the byte of "\" in Shift_JIS; as characters they
      // are no backslash.
      {"表示ソフト\\", "表示ソフト￥"},
      {"見積 (第2版)", "見積 (第2版)"},
      {"", ""},
      // Control characters, as a reply's subject may carry them.
      {"Re: \x1B$B\x1B(B", "Re： ␛$B␛(B"},
      {"a\r\nb\tc", "a␍␊b␉c"},
      {std::string("a\0b", 3), "a␀b"},
      {"\x7F\xC2\x85", "␡\xEF\xBF\xBD"},  // DEL, and the C1 control NEL
  };
  for (const Case& c : cases)
    EXPECT_EQ(WideToUtf8(ReplaceFileNameChars(W(c.text))), c.expected) << c.text;
}

TEST(FitFileName, CutsAtACharacterBoundaryToFitTheFileSystem) {
  const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units, four bytes
  struct Case {
    std::string name;
    size_t reserved;
    std::string expected;
  } cases[] = {
      // 86 kana are 258 bytes; with ".eml" 83 of them fit (253 bytes).
      {Repeat("あ", 86), 4, Repeat("あ", 83)},
      {Repeat("a", 251), 4, Repeat("a", 251)},
      {Repeat("a", 252), 4, Repeat("a", 251)},
      // The four-byte character does not fit whole and is not split.
      {Repeat("a", 249) + emoji, 4, Repeat("a", 249)},
      {Repeat("a", 247) + emoji, 4, Repeat("a", 247) + emoji},
      {"Subject", 255, ""},
      {"Subject", 400, ""},
      {"件名", 4, "件名"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WideToUtf8(FitFileName(W(c.name), c.reserved)), c.expected)
        << c.name.size() << " bytes, " << c.reserved << " reserved";
}

class MessageFile : public ::testing::Test {
 protected:
  MessageFile() : clock(JapanNoon()) {}

  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }

  // A message as the main window composes it, with the clock's time.
  void Compose() {
    mime.Clear();
    mime.SetFrom(u"Taro <taro@example.jp>");
    mime.SetTo(u"hanako@example.jp");
    mime.SetSubject(subject);
    mime.SetBodyText(u"本文です\r\n");
    mime.Compose();
  }

  fs::path Write() {
    Compose();
    MessageFileRequest request{subject, StartFile(arguments),
                               [this](const WideString& text) { notices.push_back(text); }};
    return WriteMessageFile(Settings(), clock, request, mime);
  }

  fs::path PathFor(const AnsiString& messageId) {
    MessageFileRequest request{subject, StartFile(arguments), {}};
    return MessageFilePath(Settings(), clock, request, messageId);
  }

  ScopedTimeZone japan{"Asia/Tokyo"};
  TempFolder home;
  TempFolder out;
  FixedClock clock;
  TZelMime mime{clock, home.Path()};
  WideString subject = u"見積";
  Arguments arguments{u"orvane"};
  std::vector<WideString> notices;
};

TEST_F(MessageFile, NamingRules) {
  WriteFile(out / "note.txt", "body");
  struct Case {
    const char* fileName;   // Option/FileName, nullptr: not set
    const char* extension;  // Option/Extention, nullptr: not set
    std::string subject;
    AnsiString messageId;
    std::vector<std::string> args;
    std::string expected;
  } cases[] = {
      {nullptr, nullptr, "Re: a/b?", "", {}, "Re： a／b？.eml"},
      {"0", nullptr, "", "", {}, "20030105-123456.eml"},
      {"1", nullptr, "見積", "<x@y>", {}, "20030105-123456.eml"},
      {"2", nullptr, "見積", "<2003.ab@example.jp>", {}, "＜2003．ab@example．jp＞.eml"},
      {"2", nullptr, "見積", "", {}, "20030105-123456.eml"},
      {"3", nullptr, "見積", "", {(out / "note.txt").native()}, "note.eml"},
      {"3", nullptr, "見積", "", {"file=" + (out / "note.txt").native()}, "20030105-123456.eml"},
      {"3", nullptr, "見積", "", {(out / "missing.txt").native()}, "20030105-123456.eml"},
      {"3", nullptr, "見積", "", {}, "20030105-123456.eml"},
      {"-1", nullptr, "見積", "<x@y>", {}, "見積.eml"},
      {"4", nullptr, "見積", "<x@y>", {}, "見積.eml"},
      {"x", nullptr, "見積", "<x@y>", {}, "見積.eml"},
      {nullptr, "txt", "見積", "", {}, "見積.txt"},
      {nullptr, "", "見積", "", {}, "見積."},
  };
  for (const Case& c : cases) {
    IniFile general = Settings().GeneralFile();
    general.EraseSection("Option");
    general.WriteString("Option", "PATH", (out.Path() / "").native());
    if (c.fileName) general.WriteString("Option", "FileName", c.fileName);
    if (c.extension) general.WriteString("Option", "Extention", c.extension);
    subject = W(c.subject);
    arguments = {u"orvane"};
    for (const std::string& arg : c.args) arguments.push_back(W(arg));
    EXPECT_EQ(PathFor(c.messageId), out.Path() / c.expected)
        << (c.fileName ? c.fileName : "-") << " " << c.subject;
  }
}

// A folder that is gone is told, once the file is written in the program
// folder in its place.
TEST_F(MessageFile, FolderIsThePathSettingAsAPrefixOrTheProgramFolder) {
  fs::create_directories(out / "sub");
  const std::string missing = (out / "missing/").native();
  struct Case {
    std::optional<std::string> path;
    fs::path expected;
    std::vector<WideString> notices;
  } cases[] = {
      {(out / "sub/").native(), out / "sub/見積.eml", {}},
      // Typed without its separator: the folder's name runs into the name.
      {(out / "sub").native(), out / "sub見積.eml", {}},
      {missing, home / "見積.eml",
       {u"プログラムのフォルダに作成しました (保存するフォルダ " + W(missing) +
        u" が見つかりません)"}},
      {"", home / "見積.eml", {}},
      {std::nullopt, home / "見積.eml", {}},
  };
  for (const Case& c : cases) {
    IniFile general = Settings().GeneralFile();
    general.EraseSection("Option");
    if (c.path) general.WriteString("Option", "PATH", *c.path);
    notices.clear();
    EXPECT_EQ(Write(), c.expected) << c.path.value_or("(not set)");
    EXPECT_EQ(notices, c.notices) << c.path.value_or("(not set)");
  }
}

TEST_F(MessageFile, WritesTheComposedMessageOverAnOlderFile) {
  Settings().WriteGeneralString("Option", "PATH", (out.Path() / "").native());
  WriteFile(out / "見積.eml", "an older message that is replaced");
  const fs::path written = Write();
  EXPECT_EQ(written, out / "見積.eml");
  EXPECT_EQ(ReadFile(written), mime.MessageText());
  EXPECT_NE(mime.MessageText().find("\r\nSubject: =?"), std::string::npos);
}

TEST_F(MessageFile, ALongJapaneseSubjectIsCutToFitOneFileName) {
  Settings().WriteGeneralString("Option", "PATH", (out.Path() / "").native());
  subject = W(Repeat("件", 86));
  const fs::path written = Write();
  EXPECT_EQ(written.filename().native(), Repeat("件", 83) + ".eml");
  EXPECT_EQ(ReadFile(written), mime.MessageText());
}

TEST_F(MessageFile, AFileThatCannotBeMadeIsReportedWithItsPath) {
  struct Case {
    const char* what;
    WideString subject;
    std::string extension;
    fs::path reported;
  } cases[] = {
      {"a folder of that name", u"folder", "eml", out / "folder.eml"},
      {"a NUL in the extension", u"x", std::string("e\0l", 3), out / std::string("x.e\0l", 5)},
      {"an extension no name can hold", u"x", Repeat("e", 300), out / ("." + Repeat("e", 300))},
  };
  fs::create_directories(out / "folder.eml");
  Settings().WriteGeneralString("Option", "PATH", (out.Path() / "").native());
  for (const Case& c : cases) {
    Settings().WriteGeneralString("Option", "Extention", c.extension);
    subject = c.subject;
    try {
      Write();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const FileError& error) {
      EXPECT_EQ(error.Message(), u"ファイル " + PathToWide(c.reported) + u" を作成できません")
          << c.what;
    }
  }
  // Nothing was written under a shortened name either.
  EXPECT_EQ(std::distance(fs::directory_iterator(out.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace orvane::test
