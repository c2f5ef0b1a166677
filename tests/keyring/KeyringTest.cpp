// Secrets in a real desktop keyring: gnome-keyring-daemon serving the
// Secret Service in the private D-Bus session of support/keyring-session.
// What the program stores, secret-tool reads back; orvane-send sends with
// it and, where the keyring cannot answer, exits 78 and sends nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "keyring/KeyringShell.h"
#include "platform/CodePage.h"
#include "secrets/KeyringStore.h"
#include "settings/IniFileUnit.h"
#include "settings/SecretPlaces.h"
#include "support/MailServers.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

class Keyring : public ::testing::Test {
 protected:
  void WriteAccount(const std::string& name, const std::string& lines) {
    WriteFile(home / (name + ".ini"),
              "[Account]\r\nName=Taro\r\nAddress=taro@example.jp\r\nSMTP=127.0.0.1\r\n"
              "UserID=orvane\r\n" +
                  lines + "\r\n");
  }
  TempFolder home;
  IniFileUnit settings{home.Path()};
};

TEST_F(Keyring, StoresItemsThatSecretToolFindsAndErasesThem) {
  const KeyringStore keyring(false);
  struct Row {
    SecretName name;
    const char* attributes;
    const char* label;
  } rows[] = {
      {{SecretKind::kPassword, "taro"}, "account taro kind password", "Orvane: taro のパスワード"},
      {{SecretKind::kOAuthRefreshToken, "taro"},
       "account taro kind oauth-refresh-token",
       "Orvane: taro の OAuth リフレッシュトークン"},
      {{SecretKind::kProxyPassword, ""}, "kind proxy-password", "Orvane: プロキシのパスワード"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.attributes);
    const std::string secret = std::string("s3cret ") + row.attributes;
    keyring.Write(row.name, secret);
    EXPECT_EQ(Lookup(row.attributes), secret);
    EXPECT_NE(Shell(std::string("secret-tool search application orvane ") + row.attributes +
                    " 2>/dev/null")
                  .out.find(std::string("label = ") + row.label),
              std::string::npos);
    EXPECT_EQ(keyring.Read(row.name), secret);
  }
  // What a person stored with secret-tool is read too.
  Shell(
      "printf 'by hand' | secret-tool store --label=x application orvane account hanako "
      "kind password");
  EXPECT_EQ(keyring.Read({SecretKind::kPassword, "hanako"}), "by hand");

  keyring.Erase({SecretKind::kProxyPassword, ""});
  EXPECT_EQ(Lookup("kind proxy-password"), "");
  keyring.EraseAccount("taro");
  EXPECT_EQ(Lookup("account taro kind password"), "");
  EXPECT_EQ(Lookup("account taro kind oauth-refresh-token"), "");
  EXPECT_EQ(keyring.Read({SecretKind::kPassword, "hanako"}), "by hand");
}

// A rotated refresh token goes back to the store it came from.
TEST_F(Keyring, WritesASecretBackWhereTheAccountKeepsIt) {
  const SecretName token{SecretKind::kOAuthRefreshToken, "taro"};
  struct Row {
    const char* store;
    const char* inFile;     // the file's key after the write; "" none
    const char* inKeyring;  // secret-tool's answer
  } rows[] = {
      {"SecretStore=0", "OAuthRefreshToken=rotated", ""},
      {"SecretStore=1", "", "rotated"},
      {"SecretStore=2\r\nPassCommand=echo pw", "OAuthRefreshToken=rotated", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.store);
    WriteAccount("taro", row.store);
    WriteSecret(settings, token, "rotated");
    EXPECT_EQ(ReadSecret(settings, token), "rotated");
    const std::string file = ReadFile(home / "taro.ini");
    EXPECT_EQ(file.find("OAuthRefreshToken") != std::string::npos, *row.inFile != '\0') << file;
    if (*row.inFile) {
      EXPECT_NE(file.find(row.inFile), std::string::npos) << file;
    }
    EXPECT_EQ(Lookup("account taro kind oauth-refresh-token"), row.inKeyring);
    KeyringStore(false).EraseAccount("taro");
  }
}

class UnattendedSend : public Keyring {
 protected:
  UnattendedSend() {
    smtp = StartSmtpServer(mailbox.Path(), "orvane", kPassword, "LOGIN,PLAIN");
    WriteFile(home / "orvane.ini", "");
  }
  // orvane-send in the program folder with `env` before it, its last line
  // of standard error.
  Ran Send(const std::string& env, const std::string& account) {
    return Shell(
        "cd '" + home.Path().string() + "' && echo body | env -u LC_ALL " + env +
        " LANG=ja_JP.UTF-8 ORVANE_HOME=\"$PWD\" '" ORVANE_SEND_PROGRAM "' account=" + account +
        " mailto=hanako@example.jp subject=x >/dev/null 2>stderr; s=$?; "
        "tail -n 1 stderr; exit $s");
  }
  int Delivered() const {
    int n = 0;
    while (fs::exists(mailbox / (std::to_string(n + 1) + ".eml"))) ++n;
    return n;
  }
  void Account(const std::string& name, const std::string& lines) {
    WriteAccount(name, "SMTPPORT=" + std::to_string(smtp.port) + "\r\nAuth=-1\r\n" + lines);
  }

  static constexpr const char* kPassword = "Canary-k3y";
  TempFolder mailbox;
  StartedServer smtp;
};

// Rows in order: the keyring is locked by the last one.
TEST_F(UnattendedSend, UsesTheKeyringOrTheCommandAndSendsNothingWhereNeitherAnswers) {
  ASSERT_TRUE(smtp.process);
  Shell(std::string("printf '") + kPassword +
        "' | secret-tool store --label=x application orvane account taro kind password");
  Account("taro", "SecretStore=1");
  Account("cron", std::string("SecretStore=2\r\nPassCommand=printf '") + kPassword + "\\n'");
  Account("failing", "SecretStore=2\r\nPassCommand=echo gone >&2; exit 2");
  const std::string lock =
      "dbus-send --session --print-reply --dest=org.freedesktop.secrets /org/freedesktop/secrets "
      "org.freedesktop.Secret.Service.Lock "
      "array:objpath:/org/freedesktop/secrets/collection/login >/dev/null && ";
  struct Row {
    const char* name;
    std::string env, account;
    int status;
    const char* line;  // in the last line of standard error
    bool lockFirst = false;
  } rows[] = {
      {"keyring", "", "taro", 0, ""},
      {"command, as a cron job has it", "-u DBUS_SESSION_BUS_ADDRESS", "cron", 0, ""},
      {"failing command", "", "failing", 78, "終了コード 2 で終わりました (gone)"},
      {"no session bus", "-u DBUS_SESSION_BUS_ADDRESS", "taro", 78,
       "アカウント taro のパスワードを読めません: デスクトップのキーリング (Secret Service) "
       "がありません。無人で送信するには、パスワードを PassCommand か設定ファイルに置いてください"},
      {"a bus without a keyring", "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent", "taro", 78,
       "がありません。無人で送信するには"},
      {"locked keyring", "", "taro", 78,
       "アカウント taro のパスワードを読めません: デスクトップのキーリングがロックされています",
       true},
  };
  int delivered = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.lockFirst) {
      ASSERT_EQ(Shell(lock + "true").status, 0);
    }
    const Ran ran = Send(row.env, row.account);
    EXPECT_EQ(ran.status, row.status) << ran.out;
    if (row.status == 0) {
      EXPECT_EQ(Delivered(), ++delivered) << ran.out;
      continue;
    }
    EXPECT_NE(ran.out.find(row.line), std::string::npos) << ran.out;
    EXPECT_EQ(ran.out.find(kPassword), std::string::npos);
    EXPECT_EQ(Delivered(), delivered);
  }
}

}  // namespace
}  // namespace orvane::test
