#include "support/OAuthServers.h"

#include <signal.h>

#include "platform/CodePage.h"
#include "support/SystemPython.h"
#include "support/TestCertificates.h"

namespace orvane::test {

using namespace std::chrono_literals;

AuthorizationServer::AuthorizationServer(const Options& options)
    : clientSecret_(options.clientSecret) {
  const std::string& name = options.certificate;
  std::vector<std::string> argv{SystemPython(),  ORVANE_SOURCE_DIR "/tests/servers/oauth-server.py",
                                "--cert",        TestCertificates::Pem(name).native(),
                                "--key",         TestCertificates::Key(name).native(),
                                "--client-id",   kClientId,
                                "--signing-key", kSigningKey,
                                "--expires-in",  std::to_string(options.expiresIn)};
  if (!options.clientSecret.empty())
    argv.insert(argv.end(), {"--client-secret", options.clientSecret});
  if (options.rotate) argv.push_back("--rotate");
  if (options.deny) argv.push_back("--deny");
  if (options.wrongState) argv.push_back("--wrong-state");
  process_ = std::make_unique<ServerProcess>(argv);
  port_ = AnnouncedPort(*process_);
}

OAuthClient AuthorizationServer::Client() const {
  const std::string base = "https://127.0.0.1:" + std::to_string(port_);
  OAuthClient client{kClientId,       clientSecret_,  base + "/authorize",
                     base + "/token", "smtp offline", ""};
  client.proxy.mode = ProxySettings::kDirect;
  return client;
}

StartedServer StartOAuthSmtpServer(const std::filesystem::path& folder, const std::string& user,
                                   const std::string& password, const std::string& auth,
                                   const std::string& tls) {
  return StartSmtpServer(folder, user, password, auth, {},
                         {"--oauth-key", AuthorizationServer::kSigningKey, "--tls", tls, "--cert",
                          TestCertificates::Pem("server").native(), "--key",
                          TestCertificates::Key("server").native()});
}

std::string AuthorizationServer::NextDecision(std::chrono::milliseconds limit) {
  return process_->ReadLine(limit);
}

void AuthorizationServer::RevokeGrants() {
  ::kill(process_->Pid(), SIGUSR1);
  while (true) {
    const std::string line = process_->ReadLine(10s);
    if (line.empty() || line == "REVOKED") return;
  }
}

BrowserShell::~BrowserShell() = default;

void BrowserShell::OpenUrl(const WideString& url) {
  openedUrls.push_back(url);
  if (!follow) return;
  browsers_.push_back(std::make_unique<ServerProcess>(std::vector<std::string>{
      SystemPython(), ORVANE_SOURCE_DIR "/tests/support/fake_browser.py", WideToUtf8(url)}));
}

std::string BrowserShell::LastPage() {
  return browsers_.empty() ? std::string() : browsers_.back()->ReadLine(10s);
}

}  // namespace orvane::test
