#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "settings/AccountUnit.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {
using test::ReadFile;
using test::ScriptedPrompt;
using test::ScriptedSignIn;
using test::TempFolder;
using test::WriteFile;

constexpr const char* kSignedInFile =
    "[Account]\r\nAddress=taro@example.jp\r\nAuth=-1\r\nSecurity=1\r\nAuthMethod=1\r\n"
    "OAuthProvider=microsoft365\r\nOAuthClientId=cid\r\nOAuthRefreshToken=old-token\r\n";

class AccountSignInDialog : public ::testing::Test {
 protected:
  IniFileUnit Settings() const { return IniFileUnit(home.Path()); }
  AnsiString Stored(const AccountText& key) const { return Settings().Read("work", key); }
  TempFolder home;
  ScriptedPrompt prompt;
  ScriptedSignIn signIn;
};

TEST_F(AccountSignInDialog, OnlyASignInThatEndedWellChangesWhatOkStores) {
  enum Action { kSucceed, kTimeOut, kFail, kCancel };
  struct Case {
    Action action;
    const char16_t* status;
    std::vector<WideString> errors;
    const char* storedToken;
  } cases[] = {
      {kSucceed, u"サインインしました (taro@example.jp)", {}, "new-token"},
      {kTimeOut,
       u"サインイン済みです",
       {u"ブラウザでのサインインが時間内に終わらなかったため、中止しました。"
        u"もう一度「サインイン...」を押してください"},
       "old-token"},
      {kFail,
       u"サインイン済みです",
       {u"サインインできませんでした。\ninvalid_client (HTTP 401)"},
       "old-token"},
      {kCancel, u"サインイン済みです", {}, "old-token"},
  };
  for (const Case& c : cases) {
    WriteFile(home / "work.ini", kSignedInFile);
    prompt.shown.clear();
    TAccountForm form(Settings(), prompt, "work", &signIn);
    int ended = 0;
    form.OnSignInEnded = [&] { ++ended; };
    form.Show();
    EXPECT_EQ(form.SignInStatus(), u"サインイン済みです");
    form.SignInClicked();
    ASSERT_TRUE(form.SigningIn());
    EXPECT_EQ(signIn.started.back().user, "taro@example.jp");
    switch (c.action) {
      case kSucceed:
        signIn.Finish({SignInOutcome::kSignedIn, "new-token", u""});
        break;
      case kTimeOut:
        signIn.Finish({SignInOutcome::kTimedOut, "", u""});
        break;
      case kFail:
        signIn.Finish({SignInOutcome::kFailed, "", u"invalid_client (HTTP 401)"});
        break;
      case kCancel:
        form.CancelSignIn();
        EXPECT_FALSE(signIn.Running());
        break;
    }
    EXPECT_FALSE(form.SigningIn());
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(form.SignInStatus(), c.status);
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error), c.errors);
    // Nothing reaches the file before OK.
    EXPECT_EQ(Stored(keys::kOAuthRefreshToken), "old-token");
    ASSERT_TRUE(form.Save());
    EXPECT_EQ(Stored(keys::kOAuthRefreshToken), c.storedToken);
  }
}

TEST_F(AccountSignInDialog, TokenIsKeptOnlyForTheProviderThatIssuedIt) {
  struct Case {
    const char* name;
    std::function<void(TAccountForm&)> change;
    const char* storedToken;
    const char* storedMethod;
  } cases[] = {
      {"nothing changed", [](TAccountForm&) {}, "old-token", "1"},
      // A delivery stored the token the endpoint rotated while the dialog
      // was open: OK keeps it.
      {"rotated meanwhile",
       [this](TAccountForm&) { Settings().Write("work", keys::kOAuthRefreshToken, "rotated"); },
       "rotated", "1"},
      {"user name changed", [](TAccountForm& f) { f.Fields.userId = u"hanako"; }, "old-token", "1"},
      {"client ID changed", [](TAccountForm& f) { f.OAuth.clientId = u"cid2"; }, "", "1"},
      {"tenant changed", [](TAccountForm& f) { f.OAuth.tenant = u"contoso.com"; }, "", "1"},
      {"provider changed", [](TAccountForm& f) { f.ChooseProvider("gmail"); }, "", "1"},
      {"back to the password", [](TAccountForm& f) { f.ChooseOAuth(false); }, "", "0"},
  };
  for (const Case& c : cases) {
    WriteFile(home / "work.ini", kSignedInFile);
    TAccountForm form(Settings(), prompt, "work", &signIn);
    form.Show();
    c.change(form);
    ASSERT_TRUE(form.Save()) << c.name;
    EXPECT_EQ(Stored(keys::kOAuthRefreshToken), c.storedToken) << c.name;
    EXPECT_EQ(Stored(keys::kAuthMethod), c.storedMethod) << c.name;
  }
}

TEST_F(AccountSignInDialog, SignInThatCannotStartSaysWhatToEnter) {
  struct Case {
    const char* name;
    std::function<void(TAccountForm&)> change;
    const char16_t* error;
  } cases[] = {
      {"no client ID", [](TAccountForm& f) { f.OAuth.clientId = u" "; },
       u"クライアントIDが設定されていません。アカウントの設定で入力してください"},
      {"no user",
       [](TAccountForm& f) {
         f.Fields.address = u"";
         f.Fields.userId = u"";
       },
       u"サインインするアカウントのユーザIDか送信アドレスを入力してください"},
      {"custom without endpoints", [](TAccountForm& f) { f.ChooseProvider("custom"); },
       u"認可URLとトークンURLを設定してください"},
  };
  for (const Case& c : cases) {
    WriteFile(home / "work.ini", kSignedInFile);
    prompt.shown.clear();
    TAccountForm form(Settings(), prompt, "work", &signIn);
    form.Show();
    c.change(form);
    form.SignInClicked();
    EXPECT_FALSE(form.SigningIn()) << c.name;
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error), std::vector<WideString>{c.error})
        << c.name;
  }
  EXPECT_TRUE(signIn.started.empty());
}

TEST_F(AccountSignInDialog, MethodAndProviderFillTheServerAndOldFilesStayAsTheyWere) {
  const std::string old =
      "[Account]\r\nName=Taro\r\nAddress=taro@example.jp\r\nSMTP=mail.example.jp"
      "\r\nSMTPPORT=25\r\nUserID=taro\r\nPass=secret\r\nAuth=-1\r\n";
  WriteFile(home / "work.ini", old);
  TAccountForm form(Settings(), prompt, "work", &signIn);
  form.Show();
  EXPECT_EQ(form.OAuth, (AccountOAuthFields{false, "microsoft365", u"", u"", u"", u"", u"", u""}));
  EXPECT_FALSE(form.SignInAvailable());
  EXPECT_EQ(form.SignInStatus(), u"サインインしていません");
  ASSERT_TRUE(form.Save());
  // No sign-in key goes into a password account's file.
  EXPECT_EQ(ReadFile(home / "work.ini"),
            old + "Security=0\r\nAllowPlainAuth=0\r\nTlsFingerprint=\r\n");

  struct Case {
    const char* provider;
    const char16_t* smtp;
    const char16_t* port;
    TSecurity security;
    bool tenant;
    bool custom;
  } cases[] = {
      {"gmail", u"smtp.gmail.com", u"465", scTls, false, false},
      {"microsoft365", u"smtp.office365.com", u"587", scStartTls, true, false},
      // Custom endpoints leave the server as the user typed it.
      {"custom", u"smtp.office365.com", u"587", scStartTls, false, true},
  };
  form.Fields.auth = false;
  form.ChooseOAuth(true);
  EXPECT_TRUE(form.Fields.auth);
  EXPECT_TRUE(form.SignInAvailable());
  for (const Case& c : cases) {
    form.ChooseProvider(c.provider);
    EXPECT_EQ(form.Fields.smtp, c.smtp) << c.provider;
    EXPECT_EQ(form.Fields.port, c.port) << c.provider;
    EXPECT_EQ(form.Fields.security, c.security) << c.provider;
    EXPECT_EQ(form.TenantEnabled(), c.tenant) << c.provider;
    EXPECT_EQ(form.CustomEndpointsEnabled(), c.custom) << c.provider;
    EXPECT_FALSE(form.ClientIdNote().empty());
  }
}

TEST_F(AccountSignInDialog, TokenNeverGoesInPlainText) {
  struct Case {
    const char* name;
    bool oauth;
    TSecurity security;
    bool plainAuthOffered;
    bool saved;
  } cases[] = {
      {"password in plain text", false, scNone, true, true},
      {"OAuth in plain text", true, scNone, false, false},
      {"OAuth over STARTTLS", true, scStartTls, false, true},
      {"OAuth over TLS", true, scTls, false, true},
  };
  for (const Case& c : cases) {
    WriteFile(home / "work.ini", kSignedInFile);
    prompt.shown.clear();
    TAccountForm form(Settings(), prompt, "work", &signIn);
    form.Show();
    form.ChooseOAuth(c.oauth);
    form.SecurityChosen(c.security);
    form.Fields.allowPlainAuth = true;
    EXPECT_EQ(form.AllowPlainAuthEnabled(), c.plainAuthOffered) << c.name;
    EXPECT_EQ(form.Save(), c.saved) << c.name;
    const std::vector<WideString> errors =
        c.saved ? std::vector<WideString>{}
                : std::vector<WideString>{TAccountForm::kOAuthWithoutEncryption};
    EXPECT_EQ(prompt.Texts(ScriptedPrompt::Shown::Error), errors) << c.name;
    EXPECT_EQ(Stored(keys::kSecurity), c.saved ? SecurityText(c.security) : "1") << c.name;
  }
}

TEST_F(AccountSignInDialog, ClosingTheDialogCancelsARunningSignIn) {
  WriteFile(home / "work.ini", kSignedInFile);
  {
    TAccountForm form(Settings(), prompt, "work", &signIn);
    form.Show();
    form.SignInClicked();
    ASSERT_TRUE(signIn.Running());
  }
  EXPECT_EQ(signIn.cancels, 1);
  EXPECT_FALSE(signIn.Running());
}

}  // namespace
}  // namespace orvane
