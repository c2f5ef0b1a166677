#include "platform/DesktopMime.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/AsciiText.h"

extern char** environ;

namespace orvane {

namespace {

constexpr const char* kTool = "xdg-mime";

struct ToolResult {
  int exitStatus = -1;  // -1: it could not be started or was killed
  std::string output;   // its standard output and error together
};

bool OnPath(const char* name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (true) {
    const size_t colon = rest.find(':');
    std::string folder(rest.substr(0, colon));
    if (folder.empty()) folder = ".";
    if (::access((folder + "/" + name).c_str(), X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

// Runs the tool with the arguments and waits for it; it reads nothing.
ToolResult RunTool(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), kTool);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  ToolResult result;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {-1, std::strerror(errno)};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  pid_t pid = -1;
  const int spawnError = ::posix_spawnp(&pid, kTool, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawnError != 0) {
    ::close(pipeFds[0]);
    return {-1, std::string(kTool) + ": " + std::strerror(spawnError)};
  }
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0)
      result.output.append(buffer, static_cast<size_t>(n));
    else if (errno != EINTR)
      break;
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  return result;
}

}  // namespace

bool XdgMime::Available() const {
  return OnPath(kTool);
}

std::optional<std::string> XdgMime::SetDefault(const std::string& desktopEntry,
                                               const std::string& mimeType) {
  ToolResult result = RunTool({"default", desktopEntry, mimeType});
  if (result.exitStatus == 0) return std::nullopt;
  std::string reason(Trim(result.output));
  if (reason.empty()) reason = std::string(kTool) + " (" + std::to_string(result.exitStatus) + ")";
  return reason;
}

std::string XdgMime::Default(const std::string& mimeType) const {
  ToolResult result = RunTool({"query", "default", mimeType});
  return result.exitStatus == 0 ? std::string(Trim(result.output)) : std::string();
}

}  // namespace orvane
