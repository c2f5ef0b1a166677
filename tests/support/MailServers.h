#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ServerProcess.h"

namespace orvane::test {

// A real server started for a test on 127.0.0.1, stopped by its PID when
// the object goes. No process when it did not start.
struct StartedServer {
  std::unique_ptr<ServerProcess> process;
  int port = 0;
  int tlsPort = 0;  // Dovecot with a certificate: TLS from the first byte
};

// The npm smtp-server of tests/servers: stores each message it takes as
// <n>.eml and its envelope as <n>.json in `folder`. `auth` lists the
// mechanisms it offers ("LOGIN,PLAIN,CRAM-MD5"); it refuses the addresses
// of `refused`; `more` are further arguments (its TLS mode and certificate).
StartedServer StartSmtpServer(const std::filesystem::path& folder, const std::string& user,
                              const std::string& password, const std::string& auth,
                              const std::vector<std::string>& refused = {},
                              const std::vector<std::string>& more = {});

// Dovecot's POP3 service with one user, its config and mailbox generated
// into `folder` (emptied first; see folder/dovecot.log when it does not
// start). With a test certificate it offers STLS on its port and speaks TLS
// from the first byte on tlsPort.
StartedServer StartDovecot(const std::filesystem::path& folder, const std::string& user,
                           const std::string& password, const std::string& certificate = "");

}  // namespace orvane::test
