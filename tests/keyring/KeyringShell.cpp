#include "keyring/KeyringShell.h"

#include <sys/wait.h>

#include <cstdio>

namespace orvane::test {

Ran Shell(const std::string& command) {
  Ran ran;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return ran;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    ran.out.append(buffer, got);
  const int status = ::pclose(pipe);
  ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return ran;
}

std::string Lookup(const std::string& attributes) {
  return Shell("secret-tool lookup application orvane " + attributes + " 2>/dev/null").out;
}

}  // namespace orvane::test
