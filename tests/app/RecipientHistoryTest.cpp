#include <gtest/gtest.h>

#include "app/RecipientHistoryFiles.h"
#include "app/SentLog.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {

// Whom the user wrote to before: every contact file's address, and the To
// and Cc of the account's last 500 sent-log entries, the Cc as the sent log
// now records it.
TEST(RecipientHistory, TheAddressBookAndTheLast500SentLogEntries) {
  TempFolder home;
  const IniFileUnit settings(home.Path());
  CreateFolder(home / "Address");
  WriteFile(home / "Address" / "0000.adr", "[Person]\r\nAddress=book@example.jp\r\n");
  WriteFile(home / "Address" / "0001.adr", "[Person]\r\nName=x\r\n");
  WriteFile(home / "Address" / "notes.adr", "[Person]\r\nAddress=not@a-contact.jp\r\n");
  const std::filesystem::path index = SentLogIndexPath(settings, "home");
  CreateFolder(home / "SendedLog");
  std::string entries = "[Count]\r\nCount=502\r\n[String]\r\n";
  for (int n = 1; n <= 502; ++n)
    entries += "To" + std::to_string(n) + "=to" + std::to_string(n) + "@example.jp\r\n";
  WriteFile(index, entries);
  const SentLogEntry last = MakeSentLogEntry(
      "To: =?UTF-8?B?6Iqx5a2Q?= <hanako@example.jp>\r\nCc: \"Suzuki, J\" <jiro@example.jp>, "
      "c@example.jp\r\nSubject: s\r\n\r\nbody\r\n",
      FixedClock());
  EXPECT_EQ(SjisToWide(last.to), u"花子 <hanako@example.jp>");
  AddSentLogEntry(index, last);

  const auto history = RecipientHistoryFiles(settings, "home");
  EXPECT_EQ(history->BookAddresses(), std::vector<WideString>{u"book@example.jp"});
  const std::vector<WideString> recent = history->RecentAddresses();
  ASSERT_EQ(recent.size(), 502u);  // entries 4 to 503: 499 To, then To and two Cc
  EXPECT_EQ(recent.front(), u"to4@example.jp");
  EXPECT_EQ(std::vector<WideString>(recent.end() - 3, recent.end()),
            (std::vector<WideString>{u"hanako@example.jp", u"jiro@example.jp", u"c@example.jp"}));
}

}  // namespace
}  // namespace orvane::test
