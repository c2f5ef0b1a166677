// The send window with the account's encryption settings: a failure of TLS
// shows its stage and reason, a POP3 login whose STLS fails aborts, an old
// account that sends its password in plain text is told so.
#include <gtest/gtest.h>

#include <algorithm>

#include "SendFixture.h"
#include "platform/Error.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(SendTest, EncryptionSettingsReachTheClientsAndTheLog) {
  struct Case {
    const char* name;
    const char* account;  // besides the server and its port
    ScriptedServer::Script script;
    Lines expected;  // lines the log holds, in this order
    const char* caption;
  } cases[] = {
      {"STARTTLS not offered",
       "Security=1\r\nAuth=-1\r\n",
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 AUTH LOGIN\r\n");
         p.Exchange("221 bye\r\n");
       },
       {"送信に失敗しました (TLS)",
        "エラー: サーバが STARTTLS に対応していないため、暗号化できません"},
       "送信終了"},
      {"STLS refused",
       "PopBeforeSmtp=-1\r\nPopSecurity=1\r\n",
       [](Peer& p) {
         p.Send("+OK ready\r\n");
         p.Exchange("-ERR no TLS here\r\n");
         p.Exchange("+OK bye\r\n");
       },
       {"POP 認証に失敗", "エラー: サーバが STLS を断ったため、暗号化できません"},
       "送信中止"},
      {"an old account logs in",
       "Auth=-1\r\nUserID=orvane\r\nPass=secret\r\n",
       [](Peer& p) {
         Greet(p, "250-mx\r\n250 AUTH PLAIN\r\n");
         p.Exchange("334 \r\n");
         p.Exchange("235 ok\r\n");
         Accept(p);
       },
       // The warning comes before the password goes out.
       {"コマンドを送信... AUTH PLAIN", "サーバからの応答... 334",
        "注意: 暗号化されていない接続で認証します", "サーバからの応答... 235 ok",
        "送信が無事に終了しました"},
       "送信終了"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server(c.script);
    const std::string port = std::to_string(server.Port());
    WriteAccount(std::string(c.account) + "SMTP=127.0.0.1\r\nSMTPPORT=" + port +
                 "\r\nPOP3=127.0.0.1\r\nPOP3PORT=" + port + "\r\n");
    auto form = MakeForm();
    Run(*form);
    server.Join();
    EXPECT_EQ(server.Failure(), "");
    Lines lines = LogOf(*form);
    auto at = lines.begin();
    for (const std::string& line : c.expected) {
      at = std::find(at, lines.end(), line);
      EXPECT_NE(at, lines.end()) << line;
    }
    EXPECT_EQ(form->Caption(), Utf8ToWide(c.caption));
  }
}

TEST_F(SendTest, AnEncryptionSettingItDoesNotKnowKeepsTheAttemptFromStarting) {
  WriteAccount("SMTP=127.0.0.1\r\nSecurity=3\r\n");
  auto form = MakeForm();
  EXPECT_THROW(form->Show(), ConvertError);
  EXPECT_TRUE(WaitForWorkers(main));
  EXPECT_TRUE(form->Smtp().Items().empty());
}

}  // namespace
}  // namespace orvane::test
