#include <gtest/gtest.h>

#include <ranges>

#include "app/ReadyMessage.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

// The parts of a text joined by "|"; none for "".
std::vector<std::string> Split(std::string_view joined) {
  std::vector<std::string> parts;
  for (const auto part : std::views::split(joined, '|'))
    parts.emplace_back(part.begin(), part.end());
  if (joined.empty()) parts.clear();
  return parts;
}

// A message another program wrote, made ready with the account "work". The
// encoded words were written by Python's email.header.Header (the charset
// and encoding letters in upper case, as RFC 2047 allows either).
TEST(ReadyMessage, IsMadeFitToSendWithTheAccount) {
  const ReadyOptions fromHeader{true, {}, "", u""},
      sendmail{false, {"x@example.jp"}, "bounce@example.jp", u"Robot"};
  const std::string sjis = WideToSjis(u"本文") + "\n";
  struct Row {
    const char* name;
    std::string input;
    const ReadyOptions& options;
    std::string recipients;  // the envelope's, joined by "|"
    std::string present;     // header lines (without CR LF) the result holds, joined by "|"
    std::string absent;      // texts the result does not hold, joined by "|"
    std::string body;        // what follows the header, as it came
  } rows[] = {
      {"raw UTF-8 in the subject is encoded, Bcc goes, the envelope holds all",
       "To: a@example.jp\nBcc: b@example.jp\nSubject: 日本語の件名\n\nbody\n", fromHeader,
       "a@example.jp|b@example.jp",
       "Subject: =?ISO-2022-JP?B?GyRCRnxLXDhsJE43b0w+GyhC?=|To: a@example.jp|"
       "From: =?ISO-2022-JP?B?GyRCOzNFRBsoQiAbJEJCQE86GyhC?= \r\n <taro@example.jp>|"
       "Date: Sun, 5 Jan 2003 12:34:56 +0900",
       "Bcc|b@example.jp|Content-Type", "body\n"},
      {"without -t only the arguments are recipients; -F names the sender",
       "To: a@example.jp\r\nSubject: plain\r\n\r\nline one\r\n", sendmail, "x@example.jp",
       "Subject: plain|From: Robot <taro@example.jp>", "", "line one\r\n"},
      {"fields already there are kept; an mbox separator is dropped",
       "From robot Mon Jan  1 00:00:00 2024\nFrom: <me@example.jp>\nDate: Mon, 1 Jan 2024 "
       "00:00:00 +0000\nMessage-Id: <1@x>\nCc: c@example.jp\n\nbody",
       fromHeader, "c@example.jp",
       "From: <me@example.jp>|Date: Mon, 1 Jan 2024 00:00:00 +0000|Message-Id: <1@x>",
       "From robot|Sun, 05 Jan|taro@example.jp", "body"},
      {"a raw 8-bit body is described", "To: a@example.jp\n\n本文\n", fromHeader, "a@example.jp",
       "MIME-Version: 1.0|Content-Type: text/plain; charset=UTF-8|Content-Transfer-Encoding: 8bit",
       "", "本文\n"},
      {"a Shift_JIS body is described as that", "To: a@example.jp\n\n" + sjis, fromHeader,
       "a@example.jp", "Content-Type: text/plain; charset=Shift_JIS", "", sjis},
      {"a body that says what it is keeps its word",
       "To: a@example.jp\nContent-Type: text/plain; charset=EUC-JP\n\n\xcb\xdc\n", fromHeader,
       "a@example.jp", "Content-Type: text/plain; charset=EUC-JP|Content-Transfer-Encoding: 8bit",
       "charset=UTF-8", "\xcb\xdc\n"},
  };
  struct Refused {
    std::string input;
    ReadyOptions options;
    const char* error;
  } refused[] = {
      {"Subject: x\n\nbody\n", fromHeader, "宛先がありません"},
      {"To: a@example.jp\n\nbody\n",
       {true, {WideToSjis(u"太郎@example.jp")}, "", u""},
       "メールアドレスとして使えません: @example.jp"},
      {"To: a@example.jp\n\nbody\n", {true, {}, "me @example.jp", u""}, "me @example.jp"},
  };
  TempFolder home;
  const IniFileUnit settings(home.Path());
  settings.Write("work", keys::kName, WideToSjis(u"山田 太郎"));
  settings.Write("work", keys::kAddress, "taro@example.jp");
  ScopedTimeZone zone{"JST-9"};
  const FixedClock clock(JapanNoon());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ReadyMessage ready = PrepareReadyMessage(row.input, row.options, settings, "work", clock);
    EXPECT_EQ(ready.recipients, Split(row.recipients));
    EXPECT_EQ(ready.mailFrom, row.options.envelopeFrom);
    const std::string& text = *ready.text;
    const size_t end = text.find("\r\n\r\n");
    ASSERT_NE(end, std::string::npos) << text;
    const std::string header = "\r\n" + text.substr(0, end + 2);
    for (const std::string& line : Split(row.present))
      EXPECT_NE(header.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << header;
    for (const std::string& absent : Split(row.absent))
      EXPECT_EQ(header.find(absent), std::string::npos) << absent << "\n" << header;
    EXPECT_NE(header.find("\r\nMessage-Id: <"), std::string::npos) << header;
    EXPECT_EQ(text.substr(end + 4), row.body);
  }
  for (const Refused& row : refused) {
    SCOPED_TRACE(row.error);
    try {
      PrepareReadyMessage(row.input, row.options, settings, "work", clock);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_NE(WideToUtf8(e.Message()).find(row.error), std::string::npos)
          << WideToUtf8(e.Message());
    }
  }
}

}  // namespace
}  // namespace orvane::test
