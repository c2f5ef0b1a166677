#include <gtest/gtest.h>

#include "platform/Error.h"
#include "settings/OAuthSettings.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

TEST(OAuthSettings, PresetsAndCustomEndpointsResolveToTheClient) {
  struct Case {
    OAuthSettings stored;
    OAuthClient client;
  } cases[] = {
      {{"microsoft365", " cid ", "", "", "https://ignored", "https://ignored", "ignored"},
       {"cid", "", "https://login.microsoftonline.com/organizations/oauth2/v2.0/authorize",
        "https://login.microsoftonline.com/organizations/oauth2/v2.0/token",
        "https://outlook.office.com/SMTP.Send offline_access", ""}},
      {{"Microsoft365", "cid", "", "contoso.onmicrosoft.com", "", "", ""},
       {"cid", "",
        "https://login.microsoftonline.com/contoso.onmicrosoft.com/oauth2/v2.0/authorize",
        "https://login.microsoftonline.com/contoso.onmicrosoft.com/oauth2/v2.0/token",
        "https://outlook.office.com/SMTP.Send offline_access", ""}},
      {{"gmail", "cid", "sec", "ignored", "", "", ""},
       {"cid", "sec", "https://accounts.google.com/o/oauth2/v2/auth",
        "https://oauth2.googleapis.com/token", "https://mail.google.com/",
        "access_type=offline&prompt=consent"}},
      {{"custom", "cid", "", "", " https://127.0.0.1:8443/authorize ",
        "https://127.0.0.1:8443/token", "smtp"},
       {"cid", "", "https://127.0.0.1:8443/authorize", "https://127.0.0.1:8443/token", "smtp", ""}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveOAuthClient(c.stored, {}), c.client) << c.stored.provider;
}

TEST(OAuthSettings, IncompleteSettingsSayWhatToEnter) {
  struct Case {
    OAuthSettings stored;
    const char16_t* message;
  } cases[] = {
      {{"microsoft365", " ", "", "", "", "", ""},
       u"クライアントIDが設定されていません。アカウントの設定で入力してください"},
      {{"microsoft365", "cid", "", "contoso/../x", "", "", ""},
       u"テナントには英数字と「.」「-」だけが使えます"},
      {{"custom", "cid", "", "", "https://a/auth", "", ""},
       u"認可URLとトークンURLを設定してください"},
      {{"yahoo", "cid", "", "", "", "", ""}, u"OAuth のプロバイダ「yahoo」には対応していません"},
  };
  for (const Case& c : cases) {
    try {
      ResolveOAuthClient(c.stored, {});
      ADD_FAILURE() << c.stored.provider;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(OAuthSettings, AccountFileSaysWhetherAndAsWhomToSignIn) {
  test::TempFolder home;
  IniFileUnit settings(home.Path());
  struct Case {
    const char* file;
    bool oauth;
  } cases[] = {{"", false},
               {"[Account]\r\nAuthMethod=0\r\n", false},
               {"[Account]\r\nAuthMethod=1\r\n", true},
               {"[Account]\r\nAuthMethod= 1 \r\n", true},
               {"[Account]\r\nAuthMethod=-1\r\n", false}};
  for (const Case& c : cases) {
    test::WriteFile(home / "work.ini", c.file);
    EXPECT_EQ(UsesOAuth(settings, "work"), c.oauth) << c.file;
  }
  EXPECT_EQ(OAuthUserName(" taro ", "taro@example.jp"), "taro");
  EXPECT_EQ(OAuthUserName("", " taro@example.jp "), "taro@example.jp");
}

}  // namespace
}  // namespace orvane
