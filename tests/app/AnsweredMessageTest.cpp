#include <gtest/gtest.h>

#include <string>

#include "app/AnsweredMessage.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

// A saved message with the given From field; the encoded words were
// written by Python's email.header.
std::string MessageFrom(const std::string& from, bool withDate = true) {
  return "From: " + from +
         "\r\n"
         "To: hanako@example.jp\r\n"
         "Subject: =?utf-8?b?6KaL56mN44Gu5Lu2?=\r\n"
         "Message-ID: <20240601.abc@example.jp>\r\n" +
         (withDate ? "Date: Sat, 01 Jun 2024 10:02:03 +0900\r\n" : "") +
         "\r\n"
         "body\r\n";
}

class AnsweredMessageTest : public ::testing::Test {
 protected:
  std::string Expand(const std::string& message, std::u16string_view text) {
    TZelMime mime(clock_, folder_.Path());
    mime.SetMessageText(message);
    const TAnsweredMessage answered = AnsweredMessageOf(mime);
    return WideToUtf8(ExpandMacros(IniFileUnit(folder_.Path()), clock_, "work", WideString(text),
                                   mmReply, &answered));
  }

  ScopedTimeZone zone_{"Asia/Tokyo"};
  TempFolder folder_;
  FixedClock clock_{JapanNoon()};
};

TEST_F(AnsweredMessageTest, TheSenderLosesQuotesBracketsAndComments) {
  struct Row {
    std::string from, expected;
  };
  const Row rows[] = {
      {"\"Yamada, Taro\" <taro@example.jp>", "Yamada, Taro|taro@example.jp"},
      {"=?iso-2022-jp?b?GyRCTmtMWhsoQiwgGyRCMGxPOhsoQg==?= <ichiro@example.jp>",
       "鈴木, 一郎|ichiro@example.jp"},
      {"Taro (home) <taro@example.jp>", "Taro|taro@example.jp"},
      {"<taro@example.jp>", "|taro@example.jp"},
      {"taro@example.jp", "|taro@example.jp"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Expand(MessageFrom(row.from), u"%fname%|%faddress%"), row.expected) << row.from;
}

TEST_F(AnsweredMessageTest, DateSubjectAndMessageIdOfTheMessage) {
  EXPECT_EQ(Expand(MessageFrom("taro@example.jp"), u"%date%|%subject%|%messageid%"),
            "Sat, 1 Jun 2024 10:02:03 +0900|見積の件|<20240601.abc@example.jp>");
  // The component reads a missing Date as the current time.
  EXPECT_EQ(Expand(MessageFrom("taro@example.jp", false), u"%date%"),
            "Sun, 5 Jan 2003 12:34:56 +0900");
}

}  // namespace
}  // namespace orvane::test
