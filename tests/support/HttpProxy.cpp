#include "support/HttpProxy.h"

#include <fstream>

#include "support/ScriptedServer.h"
#include "support/TempFolder.h"

namespace orvane::test {

HttpProxy::HttpProxy(const std::filesystem::path& folder, const std::string& user,
                     const std::string& password, bool onlyPort443)
    : log_(folder / "tinyproxy.log") {
  const int port = UnusedPort();
  const std::filesystem::path config = folder / "tinyproxy.conf";
  // Info is the level that logs each request line, CONNECT included.
  WriteFile(config, "Port " + std::to_string(port) + "\nListen 127.0.0.1\nAllow 127.0.0.1\n" +
                        "Timeout 30\nMaxClients 20\nLogLevel Info\nLogFile \"" + log_.native() +
                        "\"\nBasicAuth " + user + " " + password + "\n" +
                        (onlyPort443 ? "ConnectPort 443\n" : ""));
  process_ = std::make_unique<ServerProcess>(
      std::vector<std::string>{"tinyproxy", "-d", "-c", config.native()});
  if (WaitForPort(port, std::chrono::seconds(10))) port_ = port;
}

std::vector<std::string> HttpProxy::Connects() const {
  std::vector<std::string> targets;
  std::ifstream log(log_);
  const std::string request = "): CONNECT ";
  for (std::string line; std::getline(log, line);)
    if (const std::size_t at = line.find(request); at != std::string::npos)
      targets.push_back(line.substr(at + request.size(),
                                    line.find(' ', at + request.size()) - (at + request.size())));
  return targets;
}

}  // namespace orvane::test
