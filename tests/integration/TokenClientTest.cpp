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

std::string Ok(std::size_t size) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n" +
         std::string(size, 'x');
}

TEST(TokenClient, TakesOneAnswerOfAtMostOneMebibyteWithinItsTimeAndNoRedirect) {
  TrustTestCa trust;
  const std::string failed = "127.0.0.1 に接続できません: ";
  struct Case {
    std::string reply;    // empty: none, the request stays unanswered
    bool interrupt;       // the request is interrupted once the server has it
    std::string outcome;  // "status body-size" or the error
  } cases[] = {
      {Ok(1 << 20), false, "200 1048576"},
      {Ok((1 << 20) + 1), false, failed + "トークンの発行元の応答が大きすぎます"},
      {"HTTP/1.1 302 Found\r\nLocation: https://127.0.0.1:1/token\r\nContent-Length: 0\r\n\r\n",
       false, "302 0"},
      {"220 mail ready\r\n", false,
       failed + "トークンの発行元の応答は HTTP の応答ではありませんでした"},
      {"", false, failed + "1 秒以内に応答がありませんでした"},
      {"", true, failed + "中止しました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outcome);
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
    std::string outcome;
    try {
      const HttpReply reply =
          client.PostForm(HttpsUrl{"127.0.0.1", AnnouncedPort(front), "/token"}, "a=b");
      outcome = std::to_string(reply.status) + " " + std::to_string(reply.body.size());
    } catch (const Error& e) {
      outcome = WideToUtf8(e.Message());
    }
    EXPECT_EQ(outcome, c.outcome);
    scripted.Join();
  }
}

}  // namespace
}  // namespace orvane::test
