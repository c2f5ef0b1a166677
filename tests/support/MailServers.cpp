#include "support/MailServers.h"

#include "support/ScriptedServer.h"
#include "support/TestCertificates.h"

namespace orvane::test {

StartedServer StartSmtpServer(const std::filesystem::path& folder, const std::string& user,
                              const std::string& password, const std::string& auth,
                              const std::vector<std::string>& refused,
                              const std::vector<std::string>& more) {
  std::vector<std::string> argv{"node",       ORVANE_SOURCE_DIR "/tests/servers/smtp-server.js",
                                "--dir",      folder.native(),
                                "--user",     user,
                                "--password", password,
                                "--auth",     auth};
  for (const std::string& r : refused) argv.insert(argv.end(), {"--refuse", r});
  argv.insert(argv.end(), more.begin(), more.end());
  StartedServer server{std::make_unique<ServerProcess>(argv)};
  server.port = AnnouncedPort(*server.process);
  if (server.port == 0) return {};
  return server;
}

StartedServer StartDovecot(const std::filesystem::path& folder, const std::string& user,
                           const std::string& password, const std::string& certificate) {
  // The port is free when chosen but may be taken before Dovecot binds it;
  // another one is tried then.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const int port = UnusedPort();
    const int tlsPort = certificate.empty() ? port : UnusedPort();
    std::filesystem::remove_all(folder);
    std::vector<std::string> argv{ORVANE_SOURCE_DIR "/tests/servers/dovecot-pop3", folder.native(),
                                  std::to_string(port), user, password};
    if (!certificate.empty())
      argv.insert(argv.end(), {std::to_string(tlsPort), TestCertificates::Pem(certificate),
                               TestCertificates::Key(certificate)});
    StartedServer server{std::make_unique<ServerProcess>(argv), port, tlsPort};
    if (WaitForPort(port, std::chrono::seconds(20)) &&
        WaitForPort(tlsPort, std::chrono::seconds(20)) && server.process->Running())
      return server;
  }
  return {};
}

}  // namespace orvane::test
