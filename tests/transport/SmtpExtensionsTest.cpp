#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

struct ExtensionCase {
  const char* name;
  const char* ehlo;  // the server's reply to EHLO
  std::size_t size;  // of the message
  // What the client wrote after EHLO, up to and including the line that
  // ends the excerpt compared ("DATA" or "QUIT").
  const char* written;
  bool delivered;
  const char* localError = "";
};

TEST_F(SmtpExtensionsTest, TheDialogueFollowsWhatEhloAdvertised) {
  const ExtensionCase cases[] = {
      {"no extension: the plain dialogue", "250-mx\r\n250 HELP\r\n", 1000,
       "MAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"a one-line EHLO reply advertises nothing", "250 mx\r\n", 1000,
       "MAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE under its limit", "250-mx\r\n250 SIZE 1001\r\n", 1000,
       "MAIL FROM:<me@example.com> SIZE=1000\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE without a limit", "250-mx\r\n250 SIZE\r\n", 1000,
       "MAIL FROM:<me@example.com> SIZE=1000\r\nRCPT TO:<a@example.com>\r\nDATA\r\n", true},
      {"SIZE over its limit: nothing offered, the reason kept", "250-mx\r\n250 SIZE 26214400\r\n",
       32715571, "QUIT\r\n", false,
       "メールの大きさ (31.2 MB) がサーバーの上限 (25.0 MB) を超えています。"
       "添付ファイルを小さくするか分けて送ってください"},
  };
  for (const ExtensionCase& c : cases) {
    SCOPED_TRACE(c.name);
    events.Clear();
    smtp->SetMessage(MessageOf(c.size));
    const std::string ehlo = c.ehlo;
    const bool delivered = c.delivered;
    ScriptedServer server([&](Peer& p) {
      Greet(p, ehlo);
      if (!delivered) return void(p.ReadLine());
      Accept(p);
    });
    Deliver(server);
    EXPECT_EQ(events.Success, c.delivered);
    EXPECT_EQ(events.LocalError, c.localError);
    const bool sizeRefused = *c.localError != '\0';
    EXPECT_EQ(std::count(events.Trace.begin(), events.Trace.end(), "error 9"), sizeRefused ? 1 : 0);
    const std::string received = server.Received();
    const std::size_t start = received.find("\r\n") + 2;
    EXPECT_EQ(received.substr(start, std::string(c.written).size()), c.written);
  }
}

}  // namespace
}  // namespace orvane::test
