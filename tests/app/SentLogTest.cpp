#include <gtest/gtest.h>

#include "app/SentLog.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "settings/IniFile.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

// Header fields as other mail programs write them (encoded words made with
// Python's email.header), then an empty line and a body.
std::string Message(const std::string& fields) {
  return "From: Taro <taro@example.jp>\r\n" + fields + "MIME-Version: 1.0\r\n\r\nbody\r\n";
}

class SentLog : public ::testing::Test {
 protected:
  SentLog() : clock(JapanNoon()) {}

  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }
  fs::path Folder() const { return home / "SendedLog"; }
  fs::path Index() const { return Folder() / "home.dat"; }

  SentAttempt Attempt(std::string message = Message("To: hanako@example.jp\r\n")) const {
    return {"home",
            std::move(message),
            {u"通信開始...", u"送信が無事に終了しました"},
            LogWindowGeometry{10, 20, 380, 140}};
  }

  // A value of the index, as the program reads it back.
  std::string Stored(const std::string& section, const std::string& key) const {
    return WideToUtf8(SjisToWide(IniFile(Index()).ReadString(section, key, "(missing)")));
  }

  ScopedTimeZone japan{"Asia/Tokyo"};
  TempFolder home;
  FixedClock clock;
};

TEST_F(SentLog, LogFilesTakeTheFirstFreeNumberSharedByAllAccounts) {
  struct Case {
    std::vector<std::string> existing;
    std::vector<std::string> next;
  } cases[] = {
      {{}, {"SLog0.Log", "SLog1.log", "SLog2.log"}},
      {{"SLog0.Log", "SLog2.log"}, {"SLog1.log", "SLog3.log"}},
      // Only the capital L of the first name counts as taken.
      {{"SLog0.log", "SLog1.Log"}, {"SLog0.Log", "SLog1.log"}},
      {{"home.dat", "SLog10.log"}, {"SLog0.Log", "SLog1.log"}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    for (const std::string& name : c.existing) WriteFile(folder / name, "old");
    for (const std::string& expected : c.next)
      EXPECT_EQ(SaveSentLogFile(folder.Path(), {u"x"}), expected);
    for (const std::string& name : c.existing) EXPECT_EQ(ReadFile(folder / name), "old") << name;
  }
}

// Files that hold a password, a token or what was sent to whom: whatever
// mode they had, a write leaves them to their owner alone, also a write of
// an account file that changes nothing.
TEST_F(SentLog, PrivateFilesAreLeftToTheirOwnerByEveryWrite) {
  const fs::perms owner = fs::perms::owner_read | fs::perms::owner_write;
  const auto mode = [](const fs::path& file) { return fs::status(file).permissions(); };
  WriteFile(home / "home.ini", "[Account]\r\nName=A\r\n");
  WriteFile(Index(), "[Count]\r\nCount=0\r\n");
  for (const char* name : {"A", "B"}) {
    fs::permissions(home / "home.ini", fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::add);
    Settings().WriteAccountString("home", "Name", name);
    EXPECT_EQ(mode(home / "home.ini"), owner) << name;
  }
  fs::permissions(Index(), fs::perms::group_read | fs::perms::others_read, fs::perm_options::add);
  const fs::path logFile = WriteSentLog(Settings(), clock, Attempt());
  EXPECT_EQ(mode(Index()), owner);
  EXPECT_EQ(mode(logFile), owner);
  fs::remove_all(Folder());
  EXPECT_EQ(mode(WriteSentLog(Settings(), clock, Attempt()).parent_path()), fs::perms::owner_all);
}

TEST_F(SentLog, TheLogFileHoldsTheLinesInShiftJisWithCrLf) {
  fs::path logFile = WriteSentLog(Settings(), clock, Attempt());
  EXPECT_EQ(logFile, Folder() / "SLog0.Log");
  // "通信開始..." and "送信が無事に終了しました" in code page 932 (Python's cp932).
  EXPECT_EQ(ReadFile(logFile),
            "\x92\xca\x90\x4d\x8a\x4a\x8e\x6e...\r\n"
            "\x91\x97\x90\x4d\x82\xaa\x96\xb3\x8e\x96\x82\xc9\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82"
            "\xb5\x82\xbd\r\n");
}

TEST_F(SentLog, EntriesTakeTheComposedMessagesDateToAndSubject) {
  struct Case {
    std::string fields;
    std::string dateTime, to, subject;
  } cases[] = {
      {"Date: Sun, 05 Jan 2003 09:08:07 +0900\r\nTo: =?iso-2022-jp?b?GyRCMlY7UhsoQg==?= "
       "<hanako@example.jp>\r\nSubject: =?iso-2022-jp?b?GyRCOCtAUSROJCo0aiQkGyhC?=\r\n",
       "2003/01/05 09:08", "花子 <hanako@example.jp>", "見積のお願い"},
      // The local time of a date written in another zone.
      {"Date: Sat, 31 Dec 2022 22:34:56 -0500\r\nTo: a@example.jp, b@example.jp\r\n",
       "2023/01/01 12:34", "a@example.jp, b@example.jp", ""},
      // Without a Date the time of writing.
      {"To: a@example.jp\r\nSubject: plain\r\n", "2003/01/05 12:34", "a@example.jp", "plain"},
      // A line break in a decoded value would break the index file apart;
      // blanks and quotes around a value are kept.
      {"Subject: =?utf-8?b?5pS56KGMDQrjgYLjgoo=?=\r\n", "2003/01/05 12:34", "", "改行  あり"},
      {"Subject: =?utf-8?b?ICLlvJXnlKgiIA==?=\r\n", "2003/01/05 12:34", "", " \"引用\" "},
  };
  int n = 0;
  for (const Case& c : cases) {
    const fs::path logFile = WriteSentLog(Settings(), clock, Attempt(Message(c.fields)));
    const std::string number = std::to_string(++n);
    EXPECT_EQ(Stored("Count", "Count"), number);
    EXPECT_EQ(Stored("String", "DateTime" + number), c.dateTime) << c.fields;
    EXPECT_EQ(Stored("String", "To" + number), c.to) << c.fields;
    EXPECT_EQ(Stored("String", "Subject" + number), c.subject) << c.fields;
    EXPECT_EQ(Stored("String", "FileName" + number), logFile.filename().native());
  }
  // The index is Shift_JIS: 見積 as the bytes 8C A9 90 CF.
  EXPECT_NE(ReadFile(Index()).find("\x8c\xa9\x90\xcf"), std::string::npos);
}

TEST_F(SentLog, ANewEntryNeverOverwritesOneThatIsThere) {
  struct Case {
    std::string index;
    int expected;
  } cases[] = {
      {"", 1},
      {"[Count]\r\nCount=5\r\n[String]\r\nTo1=a\r\nTo2=b\r\n", 6},
      // Counts edited by hand.
      {"[Count]\r\nCount=abc\r\n[String]\r\nTo1=a\r\nFileName2=SLog1.log\r\n", 3},
      {"[Count]\r\nCount=1\r\n[String]\r\nTo1=a\r\nsubject2=b\r\nDateTime3=c\r\n", 4},
      {"[Count]\r\nCount=-7\r\n", 1},
      {"[String]\r\nTo1=a\r\nTo7=b\r\n", 2},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    if (!c.index.empty()) WriteFile(folder / "home.dat", c.index);
    SentLogEntry entry{"2003/01/05 12:34", "to", "subject", "SLog9.log"};
    EXPECT_EQ(AddSentLogEntry(folder / "home.dat", entry), c.expected) << c.index;
    const std::vector<SentLogEntry> entries = ReadSentLogEntries(folder / "home.dat");
    ASSERT_EQ(entries.size(), static_cast<size_t>(c.expected)) << c.index;
    EXPECT_EQ(entries.back(), entry) << c.index;
  }
}

TEST_F(SentLog, ReadingGivesDashesForWhatIsMissing) {
  const SentLogEntry missing{"---", "---", "---", "---"};
  struct Case {
    std::string index;
    std::vector<SentLogEntry> expected;
  } cases[] = {
      {"[Count]\r\nCount=3\r\n[String]\r\nDateTime1=t1\r\nTo1=a\r\nSubject1=s\r\nFileName1="
       "SLog0.Log\r\nto2=b\r\n",
       {{"t1", "a", "s", "SLog0.Log"}, {"---", "b", "---", "---"}, missing}},
      {"[String]\r\nTo1=a\r\n", {}},
      {"[Count]\r\nCount=2\r\n[String]\r\nTo1=\r\n", {{"---", "", "---", "---"}, missing}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    WriteFile(folder / "home.dat", c.index);
    EXPECT_EQ(ReadSentLogEntries(folder / "home.dat"), c.expected) << c.index;
  }
  EXPECT_TRUE(ReadSentLogEntries(home / "missing.dat").empty());

  TempFolder folder;
  WriteFile(folder / "home.dat", "[Count]\r\nCount=2147483647\r\n");
  EXPECT_EQ(ReadSentLogEntries(folder / "home.dat").size(), static_cast<size_t>(kMaxSentLogRows));
}

TEST_F(SentLog, TheLogWindowsGeometryIsStored) {
  WriteSentLog(Settings(), clock, Attempt());
  const IniFile general = Settings().GeneralFile();
  EXPECT_EQ(general.ReadInteger("Log", "Left", -1), 10);
  EXPECT_EQ(general.ReadInteger("Log", "Top", -1), 20);
  EXPECT_EQ(general.ReadInteger("Log", "Width", -1), 380);
  EXPECT_EQ(general.ReadInteger("Log", "Height", -1), 140);
}

TEST_F(SentLog, AnIndexThatCannotBeWrittenLeavesNoLogFile) {
  fs::create_directories(Index());  // a folder where the index should be
  EXPECT_THROW(WriteSentLog(Settings(), clock, Attempt()), FileError);
  EXPECT_FALSE(fs::exists(Folder() / "SLog0.Log"));

  fs::remove(Index());
  WriteSentLog(Settings(), clock, Attempt());
  EXPECT_TRUE(fs::exists(Folder() / "SLog0.Log"));
  EXPECT_EQ(Stored("String", "FileName1"), "SLog0.Log");
}

}  // namespace
}  // namespace orvane::test
