// Signing in with OAuth 2.0 through the account dialog of the real main
// window on the offscreen platform, then sending with the token: the
// authorization server and the npm smtp-server of tests/servers on
// 127.0.0.1, the browser a program that follows the redirects.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <regex>

#include "forms/FormsFixture.h"
#include "forms/SendWindowDriver.h"
#include "support/OAuthServers.h"
#include "support/TestCertificates.h"
#include "transport/EventLog.h"

namespace orvane::test {
namespace {

// Runs `act` on the modal window of that name once it is up (polled every
// 10 ms, ten seconds at most).
void OnModal(const char* name, std::function<void(QWidget&)> act, int triesLeft = 1000) {
  QTimer::singleShot(10, [name, act = std::move(act), triesLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->objectName() == QLatin1String(name))
      act(*modal);
    else if (triesLeft > 0)
      OnModal(name, act, triesLeft - 1);
  });
}

class OAuthEndToEnd : public MainWindowTest {
 protected:
  ~OAuthEndToEnd() override {
    // The window waits for the clients' workers before it goes.
    view.reset();
    form.reset();
  }

  // The account "work" of `server`'s client, not signed in yet, and the
  // main window over it.
  void Open(const AuthorizationServer& server) {
    smtp = StartOAuthSmtpServer(mailbox.Path(), "orvane", "unused", "XOAUTH2", "implicit");
    ASSERT_TRUE(smtp.process) << "the SMTP test server did not start";
    const OAuthClient client = server.Client();
    WriteFile(home / "work.ini",
              "[Account]\r\nAddress=orvane@example.com\r\nUserID=orvane\r\nSMTP=127.0.0.1\r\n"
              "SMTPPORT=" +
                  std::to_string(smtp.port) +
                  "\r\nSecurity=2\r\nAuthMethod=1\r\nOAuthProvider=custom\r\nOAuthClientId=" +
                  client.clientId + "\r\nOAuthAuthorizeUrl=" + client.authorizeUrl +
                  "\r\nOAuthTokenUrl=" + client.tokenUrl + "\r\nOAuthScope=" + client.scope +
                  "\r\n");
    form = std::make_unique<TOrvaneMainForm>(
        MainFormServices{IniFileUnit(home.Path()), clock, browser, clipboard, prompt,
                         install.Path(), std::make_shared<SendClients>(kQuickPause)},
        Arguments{u"orvane", u"account=work", u"subject=OAuth", u"mailto=hanako@example.jp"});
    view = std::make_unique<TOrvaneMainFormView>(*form);
    view->Start();
    QApplication::processEvents();
  }

  // Presses サインイン... in the account dialog; with `cancel` the user
  // gives up in the waiting window, after the browser's last page when
  // `pageFirst` names it. Returns what the dialog then says, and leaves it
  // with OK.
  QString SignIn(bool cancel, const char* pageFirst = nullptr) {
    QString status;
    OnModal("AccountForm", [&](QWidget& dialog) {
      if (cancel)
        OnModal("SignInWait", [&](QWidget& wait) {
          if (pageFirst) {
            EXPECT_EQ(browser.LastPage(), pageFirst);
          }
          wait.findChild<QPushButton*>(QStringLiteral("BTN_Cancel"))->click();
        });
      dialog.findChild<QPushButton*>(QStringLiteral("BTN_SignIn"))->click();
      status = dialog.findChild<QLabel*>(QStringLiteral("LB_SignIn"))->text();
      dialog.findChild<QPushButton*>(QStringLiteral("BTN_OK"))->click();
    });
    Find<QAction>("ActionAcountSet")->trigger();
    return status;
  }

  SendWindowSeen Send() {
    SendWindowDriver driver;
    Find<QPushButton>("BTM_Send")->click();
    QApplication::processEvents();
    return driver.seen;
  }

  TrustTestCa trust;
  BrowserShell browser;
  TempFolder mailbox;
  StartedServer smtp;
};

TEST_F(OAuthEndToEnd, SignInInTheAccountDialogThenSendWithTheToken) {
  enum Ending { kSignedIn, kWrongState, kCancelled };
  struct Case {
    const char* name;
    Ending ending;
    const char* status;  // the dialog's after the sign-in
    size_t errors;       // messages shown
    const char* sent;    // the send window's status
    const char* lastLine;
  } cases[] = {
      {"signed in", kSignedIn, "サインインしました (orvane)", 0, "送信が無事に終了しました",
       "送信が無事に終了しました"},
      // An answer to someone else's request is refused, and the dialog
      // waits on until the user gives up.
      {"state mismatch", kWrongState, "サインインしていません", 0, "送信に失敗しました (Auth)",
       "エラー: このアカウントはまだサインインしていません。アカウントの設定でサインインして"
       "ください"},
      {"cancelled", kCancelled, "サインインしていません", 0, "送信に失敗しました (Auth)",
       "エラー: このアカウントはまだサインインしていません。アカウントの設定でサインインして"
       "ください"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompt.shown.clear();
    // Tokens live a minute: each delivery refreshes.
    AuthorizationServer server({"", 60, false, false, c.ending == kWrongState});
    ASSERT_NE(server.Port(), 0);
    Open(server);
    browser.follow = c.ending != kCancelled;

    EXPECT_EQ(
        SignIn(c.ending != kSignedIn, c.ending == kWrongState ? "400" : nullptr).toStdString(),
        c.status);
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error).size(), c.errors);
    const AnsiString refreshToken = form->Settings().Read("work", keys::kOAuthRefreshToken);
    EXPECT_EQ(refreshToken.empty(), c.ending != kSignedIn);

    SendWindowSeen seen = Send();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.status.toStdString(), c.sent);
    ASSERT_FALSE(seen.log.empty());
    EXPECT_EQ(seen.log.back().toStdString(), c.lastLine);
    if (c.ending != kSignedIn) {
      view.reset();
      form.reset();
      continue;
    }
    EXPECT_TRUE(seen.log.contains(QStringLiteral("コマンドを送信... AUTH XOAUTH2 ********")));
    EXPECT_TRUE(std::filesystem::exists(mailbox / "1.eml"));

    // The grant revoked, the next refresh is refused.
    server.RevokeGrants();
    seen = Send();
    EXPECT_EQ(seen.status.toStdString(), "送信に失敗しました (Auth)");
    EXPECT_EQ(seen.log.back().toStdString(), kSignInExpired);
    EXPECT_FALSE(std::filesystem::exists(mailbox / "2.eml"));

    // No secret outside the account file: neither the refresh token, nor
    // an access token, nor the base64 response that carried one.
    view.reset();
    form.reset();
    const std::regex secret(refreshToken + "|[0-9]{10}\\.[0-9a-f]{64}|dXNlcj1vcnZhbmUB");
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home.Path())) {
      if (!entry.is_regular_file()) continue;
      ++files;
      EXPECT_EQ(std::regex_search(ReadFile(entry.path()), secret),
                entry.path().filename() == "work.ini")
          << entry.path();
    }
    EXPECT_GT(files, 3);
  }
}

}  // namespace
}  // namespace orvane::test
