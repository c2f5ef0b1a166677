// What the token request takes from an endpoint that answers oddly: a
// scripted HTTP server behind the TLS front of tests/servers.
#include <gtest/gtest.h>

#include "oauth/TokenClient.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "support/ScriptedServer.h"
#include "support/ServerProcess.h"
#include "support/TestCertificates.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kMiB = 1024 * 1024;

std::string Ok(std::size_t size) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n" +
         std::string(size, 'x');
}

TEST(TokenClient, TakesOneAnswerOfAtMostOneMebibyteWithinItsTimeAndNoRedirect) {
  TrustTestCa trust;
  struct Case {
    const char* name;
    std::string reply;  // empty: none, the request stays unanswered
    bool interrupt;     // the request is interrupted once the server has it
    int status;
    std::size_t bodySize;
    const char16_t* error;  // after "127.0.0.1 に接続できません: "
  } cases[] = {
      {"largest answer", Ok(kMiB), false, 200, kMiB, u""},
      {"too large", Ok(kMiB + 1), false, 0, 0, u"トークンの発行元の応答が大きすぎます"},
      {"redirect not followed",
       "HTTP/1.1 302 Found\r\nLocation: https://127.0.0.1:1/token\r\nContent-Length: 0\r\n\r\n",
       false, 302, 0, u""},
      {"no HTTP", "220 mail ready\r\n", false, 0, 0,
       u"トークンの発行元の応答は HTTP の応答ではありませんでした"},
      {"no answer in time", "", false, 0, 0, u"1 秒以内に応答がありませんでした"},
      {"cancelled", "", true, 0, 0, u"中止しました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TokenClient client(1s, {ProxySettings::kDirect, "", "", "", ""});
    ScriptedServer scripted([&](Peer& p) {
      while (p.ReadLine() != "\r\n") {
      }
      if (c.interrupt) client.Interrupt();
      if (!c.reply.empty()) p.Send(c.reply);
      p.WaitForClose(10s);
    });
    ServerProcess front({"node", ORVANE_SOURCE_DIR "/tests/servers/tls-proxy.js", "--cert",
                         TestCertificates::Pem("server").native(), "--key",
                         TestCertificates::Key("server").native(), "--target",
                         std::to_string(scripted.Port())});
    const int port = AnnouncedPort(front);
    try {
      const HttpReply reply = client.PostForm(HttpsUrl{"127.0.0.1", port, "/token"}, "a=b");
      EXPECT_EQ(reply.status, c.status);
      EXPECT_EQ(reply.body.size(), c.bodySize);
      EXPECT_EQ(*c.error, u'\0');
    } catch (const Error& e) {
      EXPECT_EQ(WideToUtf8(e.Message()),
                WideToUtf8(WideString(u"127.0.0.1 に接続できません: ") + c.error));
    }
    scripted.Join();
  }
}

}  // namespace
}  // namespace orvane::test
