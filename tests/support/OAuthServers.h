#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "settings/OAuthSettings.h"
#include "support/MailServers.h"
#include "support/ServerProcess.h"

namespace orvane::test {

// The authorization server of tests/servers/oauth-server.py over HTTPS
// with the test certificate "server" (clients must trust the test CA).
class AuthorizationServer {
 public:
  struct Options {
    std::string clientSecret;
    int expiresIn = 3600;
    bool rotate = false;                 // a new refresh token with every refresh
    bool deny = false;                   // the user refuses the consent
    bool wrongState = false;             // the redirect carries another state
    std::string certificate = "server";  // a name of TestCertificates
  };
  static constexpr const char* kClientId = "orvane-test-client";
  static constexpr const char* kSigningKey = "test-signing-key";

  explicit AuthorizationServer(const Options& options);
  int Port() const { return port_; }
  // A client of this server as a custom provider, reached directly.
  OAuthClient Client() const;
  // The server's next decision ("AUTHORIZE ok", "TOKEN refresh_token
  // invalid_grant", ...); empty when none came within `limit`.
  std::string NextDecision(std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Revokes every refresh token and waits until the server has.
  void RevokeGrants();

 private:
  std::unique_ptr<ServerProcess> process_;
  std::string clientSecret_;
  int port_ = 0;
};

// The npm SMTP server of tests/servers taking the access tokens of an
// AuthorizationServer, with TLS `tls` ("implicit", "starttls" or "none")
// on the test certificate "server".
StartedServer StartOAuthSmtpServer(const std::filesystem::path& folder, const std::string& user,
                                   const std::string& password, const std::string& auth,
                                   const std::string& tls);

// The user's browser: OpenUrl runs tests/support/fake_browser.py, which
// follows the authorization URL and the redirect back to the program; with
// `follow` false the user never finishes, and nothing is opened.
class BrowserShell final : public Shell {
 public:
  ~BrowserShell() override;
  void OpenFile(const std::filesystem::path&) override {}
  void OpenUrl(const WideString& url) override;
  // The status of the last browser's final page ("200", "400"), or
  // "ERROR ..."; empty when it did not end within ten seconds.
  std::string LastPage();

  bool follow = true;
  std::vector<WideString> openedUrls;

 private:
  std::vector<std::unique_ptr<ServerProcess>> browsers_;
};

// What the user is told when the server has withdrawn the sign-in.
inline const char* const kSignInExpired =
    "サインインの有効期限が切れました。アカウントの設定でもう一度サインインしてください";

}  // namespace orvane::test
