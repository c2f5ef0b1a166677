#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ServerProcess.h"

namespace orvane::test {

// tinyproxy on 127.0.0.1 and an unused port, its configuration and log in
// `folder`, asking for Basic authentication as `user`:`password`. With
// `onlyPort443` it refuses (403) a CONNECT to any other port.
class HttpProxy {
 public:
  HttpProxy(const std::filesystem::path& folder, const std::string& user,
            const std::string& password, bool onlyPort443 = false);
  // Whether it listens.
  bool Started() const { return port_ != 0; }
  int Port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // The targets of the CONNECT requests its log shows ("127.0.0.1:4433").
  std::vector<std::string> Connects() const;

 private:
  std::filesystem::path log_;
  std::unique_ptr<ServerProcess> process_;
  int port_ = 0;
};

}  // namespace orvane::test
