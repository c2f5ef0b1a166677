#include "tools/send/BrowserShell.h"

#include <spawn.h>
#include <unistd.h>

#include <string>

#include "platform/CodePage.h"
#include "tools/send/Output.h"

namespace orvane {
namespace {

void Open(const std::string& target) {
  // The shell splits a BROWSER that carries its own arguments.
  std::string script = "exec ${BROWSER:-xdg-open} \"$1\" >/dev/null 2>&1";
  std::string name = "orvane-send";
  std::string argument = target;
  char sh[] = "/bin/sh", dashC[] = "-c";
  char* argv[] = {sh, dashC, script.data(), name.data(), argument.data(), nullptr};
  pid_t pid = 0;
  ::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ);
}

}  // namespace

void BrowserShell::OpenFile(const std::filesystem::path& path) {
  Open(path.native());
}

void BrowserShell::OpenUrl(const WideString& url) {
  PrintError(u"ブラウザでサインインしてください: " + url);
  Open(WideToUtf8(url));
}

}  // namespace orvane
