#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "transport/SmtpTestSupport.h"

namespace orvane::test {
namespace {

// The dialogue a server's EHLO reply calls for: each extension is used
// exactly when advertised.
using SmtpExtensionsTest = SmtpClientTest;

// A message of exactly `size` octets.
std::string MessageOf(std::size_t size) {
  std::string message = "Subject: test\r\n\r\n";
  while (message.size() + 7 <= size) message += "xxxxx\r\n";
  message += std::string(size - message.size(), 'y');
  return message;
}

// Reads `lines` commands before it answers any: a client that waited for a
// reply in between would stall here until its time-out.
void AnswerTogether(Peer& p, int lines, std::string_view replies) {
  for (int i = 0; i < lines; ++i) p.ReadLine();
  p.Send(replies);
}

// The message, its acceptance and QUIT.
void TakeMessage(Peer& p) {
  p.ReadData();
  p.Send("250 queued\r\n");
  p.Exchange("221 bye\r\n");
}

const char* const kRefusal =
    "メールの大きさ (31.2 MB) がサーバーの上限 (25.0 MB) を超えています。"
    "添付ファイルを小さくするか分けて送ってください";
const char* const kPipelining = "250-mx\r\n250 PIPELINING\r\n";
const std::string kMail = "MAIL FROM:<me@example.com>\r\n";
const std::string kBoth = kMail + "RCPT TO:<a@example.com>\r\nRCPT TO:<b@example.com>\r\n";

struct ExtensionCase {
  const char* name;
  const char* ehlo;  // the server's reply to EHLO
  std::size_t size;  // of the message
  int recipients;    // a@example.com, then b@example.com
  bool required;     // every recipient required
  // The server after EHLO; null: each command answered in turn, all taken.
  ScriptedServer::Script server;
  // What the client wrote after EHLO, up to the message or the end.
  std::string written;
  bool delivered;
  const char* localError = "";
  std::string refused = "";  // the OnRcptError line, if any
  std::string message = "";  // when not one of `size` octets
  std::string data = "";     // the message as the server took it, when compared
  TDsnRequest dsn = {};      // the notifications asked for
};

const std::string kEightBit =
    "Subject: t\r\nContent-Type: text/plain; charset=UTF-8\r\n"
    "Content-Transfer-Encoding: 8bit\r\n\r\n日本語のテキスト\r\n";

TEST_F(SmtpExtensionsTest, TheDialogueFollowsWhatEhloAdvertised) {
  const ExtensionCase cases[] = {
      {"no extension: the plain dialogue", "250-mx\r\n250 HELP\r\n", 1000, 1, false, nullptr,
       kMail + "RCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"a one-line EHLO reply advertises nothing", "250 mx PIPELINING SIZE 10\r\n", 1000, 1, false,
       nullptr, kMail + "RCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE under its limit", "250-mx\r\n250 SIZE 1001\r\n", 1000, 1, false, nullptr,
       "MAIL FROM:<me@example.com> SIZE=1000\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE without a limit", "250-mx\r\n250 SIZE\r\n", 1000, 1, false, nullptr,
       "MAIL FROM:<me@example.com> SIZE=1000\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE over its limit: nothing offered, the reason kept", "250-mx\r\n250 SIZE 26214400\r\n",
       32715571, 1, false, [](Peer& p) { p.ReadLine(); }, "QUIT\r\n", false, kRefusal},
      {"PIPELINING: MAIL, RCPT and DATA in one write", kPipelining, 1000, 2, false,
       [](Peer& p) {
         AnswerTogether(p, 4, "250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n");
         TakeMessage(p);
       },
       kBoth + "DATA\r\n", true},
      {"PIPELINING, a recipient refused: the other gets it", kPipelining, 1000, 2, false,
       [](Peer& p) {
         AnswerTogether(p, 4, "250 ok\r\n550 5.1.1 no such user\r\n250 ok\r\n354 go\r\n");
         TakeMessage(p);
       },
       kBoth + "DATA\r\n", true, "", "rcpt-error a@example.com (550 5.1.1 no such user)"},
      {"PIPELINING, every recipient required: DATA waits for their replies", kPipelining, 1000, 2,
       true,
       [](Peer& p) {
         AnswerTogether(p, 3, "250 ok\r\n250 ok\r\n550 5.1.1 no such user\r\n");
         p.Exchange("250 reset\r\n");
         p.ReadLine();
       },
       kBoth + "RSET\r\nQUIT\r\n", false, "", "rcpt-error b@example.com (550 5.1.1 no such user)"},
      {"PIPELINING, every recipient required and accepted", kPipelining, 1000, 2, true,
       [](Peer& p) {
         AnswerTogether(p, 3, "250 ok\r\n250 ok\r\n250 ok\r\n");
         p.Exchange("354 go\r\n");
         TakeMessage(p);
       },
       kBoth + "DATA\r\n", true},
      {"PIPELINING, the sender refused", kPipelining, 1000, 2, false,
       [](Peer& p) {
         AnswerTogether(p, 4, "553 not you\r\n503 no sender\r\n503 no sender\r\n503 no\r\n");
         p.ReadLine();
       },
       kBoth + "DATA\r\nQUIT\r\n", false},
      // Only a transaction without its final dot is dropped: no QUIT, which
      // would be taken as the message.
      {"PIPELINING, a 354 after every recipient was refused", kPipelining, 1000, 2, false,
       [](Peer& p) {
         AnswerTogether(p, 4, "250 ok\r\n550 no\r\n550 no\r\n354 go\r\n");
         p.WaitForClose(std::chrono::seconds(10));
       },
       kBoth + "DATA\r\n", false, "", "rcpt-error a@example.com (550 no) b@example.com (550 no)"},
      {"8BITMIME and an 8-bit body: declared, sent as it is", "250-mx\r\n250 8BITMIME\r\n", 0, 1,
       false, nullptr,
       "MAIL FROM:<me@example.com> BODY=8BITMIME\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true, "",
       "", kEightBit, kEightBit + ".\r\n"},
      {"8BITMIME and a 7-bit body: nothing declared", "250-mx\r\n250 8BITMIME\r\n", 1000, 1, false,
       nullptr, kMail + "RCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"no 8BITMIME: the 8-bit body re-encoded", "250-mx\r\n250 HELP\r\n", 0, 1, false, nullptr,
       kMail + "RCPT TO:<a@example.com>\r\nDATA\r\n", true, "", "", kEightBit,
       "Subject: t\r\nContent-Type: text/plain; charset=UTF-8\r\n"
       "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
       "=E6=97=A5=E6=9C=AC=E8=AA=9E=E3=81=AE=E3=83=86=E3=82=AD=E3=82=B9=E3=83=88\r\n.\r\n"},
      {"DSN: RET and ENVID (as xtext) on MAIL, NOTIFY on each RCPT", "250-mx\r\n250 DSN\r\n", 1000,
       2, false, nullptr,
       "MAIL FROM:<me@example.com> RET=HDRS ENVID=id+2B1+20x\r\n"
       "RCPT TO:<a@example.com> NOTIFY=SUCCESS,FAILURE\r\n"
       "RCPT TO:<b@example.com> NOTIFY=SUCCESS,FAILURE\r\nDATA\r\n",
       true, "", "", "", "", {"SUCCESS,FAILURE", "HDRS", "id+1 x"}},
      {"no DSN: the request left out, and a notice says so", "250-mx\r\n250 HELP\r\n", 1000, 1,
       false, nullptr, kMail + "RCPT TO:<a@example.com>\r\nDATA\r\n", true, "", "", "", "",
       {"NEVER", "", ""}},
  };
  for (const ExtensionCase& c : cases) {
    SCOPED_TRACE(c.name);
    events.Clear();
    smtp->SetMessage(c.message.empty() ? MessageOf(c.size) : c.message);
    recipients = {"a@example.com", "b@example.com"};
    recipients.resize(static_cast<std::size_t>(c.recipients));
    smtp->SetAllRecipientsRequired(c.required);
    smtp->SetDsn(c.dsn);
    const std::string ehlo = c.ehlo;
    const ScriptedServer::Script after = c.server;
    const int count = c.recipients;
    std::string data;
    ScriptedServer server([&](Peer& p) {
      Greet(p, ehlo);
      if (after) return after(p);
      Accept(p, &data, count);
    });
    Deliver(server);
    EXPECT_EQ(events.Success, c.delivered);
    EXPECT_EQ(events.LocalError, c.localError);
    const bool sizeRefused = *c.localError != '\0';
    EXPECT_EQ(std::count(events.Trace.begin(), events.Trace.end(), "error 9"), sizeRefused ? 1 : 0);
    const auto refusal = std::find_if(events.Trace.begin(), events.Trace.end(),
                                      [](const std::string& t) { return t.starts_with("rcpt-"); });
    EXPECT_EQ(refusal == events.Trace.end() ? "" : *refusal, c.refused);
    const std::string received = server.Received();
    const std::size_t start = received.find("\r\n") + 2;
    EXPECT_EQ(received.substr(start, c.written.size()), c.written);
    // A delivery that failed wrote nothing more.
    if (!c.delivered) {
      EXPECT_EQ(received.size() - start, c.written.size());
    }
    EXPECT_EQ(events.Noticed(u"PIPELINING: "), std::string_view(c.ehlo) == kPipelining);
    EXPECT_EQ(events.Noticed(u"サーバが DSN に対応していない"),
              !c.dsn.Empty() && std::string_view(c.ehlo).find("DSN") == std::string_view::npos);
    if (!c.data.empty()) {
      EXPECT_EQ(data, c.data);
    }
  }
}

}  // namespace
}  // namespace orvane::test
