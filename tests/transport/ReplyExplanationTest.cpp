#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "transport/ReplyExplanation.h"

namespace orvane::test {
namespace {

// Each refusal the user meets most, the way servers word it; `meaning` is a
// phrase its explanation must hold, empty where the server's text stays
// alone.
struct ExplanationCase {
  const char* reply;
  const char* meaning;
};

TEST(ReplyExplanationTest, ARefusalIsExplainedByItsEnhancedCodeElseItsBasicCode) {
  const ExplanationCase cases[] = {
      {"550 5.1.1 <gone@example.jp>: Recipient address rejected: User unknown", "ありません"},
      {"501 5.1.3 Bad recipient address syntax", "形が正しくありません"},
      {"553 5.1.0 <a@@b>: Sender address rejected", "形が正しくありません"},
      {"552 5.2.2 Mailbox full", "一杯"},
      {"452 4.2.2 The email account that you tried to reach is over quota", "一杯"},
      {"552 5.3.4 Message size exceeds fixed limit", "大きすぎ"},
      {"552 5.2.3 Message exceeds local size limit", "大きすぎ"},
      {"554 5.7.1 <x@example.org>: Relay access denied", "中継"},
      {"535 5.7.8 Username and Password not accepted", "認証が通りません"},
      {"535 5.7.3 Authentication unsuccessful", "認証が通りません"},
      {"550 5.7.0 Daily sending quota exceeded", "制限"},
      {"421 4.7.0 Try again later, closing connection", "一時的に制限"},
      {"535 5.7.139 Authentication unsuccessful, SmtpClientAuthentication is disabled for the "
       "Tenant",
       "管理者が SMTP 認証を有効にするか"},
      {"530 5.7.57 Client not authenticated to send mail", "OAuth 2.0"},
      {"550 5.7.26 This mail has been blocked because the sender is unauthenticated",
       "SPF/DKIM/DMARC"},
      {"451 4.4.1 No answer from host", "接続が切れ"},
      {"421 4.4.2 Connection timed out", "時間切れ"},
      {"451 4.3.2 System not accepting network messages", "混雑"},
      {"502 5.5.2 Error: command not recognized", "命令が通じ"},
      {"500-5.5.1 Line one of a multi-line refusal\r\n500 5.5.1 and its end", "命令が通じ"},
      // An enhanced code the table lacks falls back to its class and subject.
      {"550 5.7.606 Access denied, banned sending IP", "方針"},
      // Without an enhanced code, the basic code speaks.
      {"550 no such user", "宛先のメールボックスが使えない"},
      {"554 no service", "受け取りませんでした"},
      // An enhanced code of another class than the reply's is not one.
      {"550 4.2.2 mixed up", "宛先のメールボックスが使えない"},
      // Unknown codes, and replies that refuse nothing, keep their text alone.
      {"599 5.9.9 something new", ""},
      {"250 2.1.5 Ok", ""},
      {"354 End data with <CR><LF>.<CR><LF>", ""},
      {"garbage", ""},
  };
  for (const ExplanationCase& c : cases) {
    SCOPED_TRACE(c.reply);
    const WideString reply = Utf8ToWide(c.reply);
    const std::string explained = WideToUtf8(ExplainedReply(reply));
    if (*c.meaning == '\0') {
      EXPECT_EQ(explained, c.reply);
      continue;
    }
    const std::string explanation = WideToUtf8(ReplyExplanation(reply));
    EXPECT_NE(explanation.find(c.meaning), std::string::npos) << explanation;
    EXPECT_EQ(explained, "【" + explanation + "】 " + c.reply);
  }
}

}  // namespace
}  // namespace orvane::test
