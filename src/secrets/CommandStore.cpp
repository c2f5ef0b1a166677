#include "secrets/CommandStore.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>

#include "platform/CodePage.h"

extern char** environ;

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// Whatever a command prints beyond this is read and dropped.
constexpr size_t kKeptBytes = 64 * 1024;

// Both ends closed when it goes.
class Pipe {
 public:
  Pipe() {
    if (::pipe2(fds_, O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
  }
  ~Pipe() {
    Close(0);
    Close(1);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool Made() const { return fds_[0] >= 0; }
  int Read() const { return fds_[0]; }
  int Write() const { return fds_[1]; }
  // The child's end, once the child has it.
  void CloseWrite() { Close(1); }

 private:
  void Close(int end) {
    if (fds_[end] >= 0) ::close(fds_[end]);
    fds_[end] = -1;
  }
  int fds_[2];
};

WideString Utf8OrRaw(const std::string& bytes) {
  return IsValidUtf8(bytes) ? Utf8ToWide(bytes) : SjisToWide(bytes);
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

SecretError CommandError(const SecretName& name, const WideString& why) {
  return SecretError(DescribeSecret(name) + u"を PassCommand から得られません: " + why);
}

// What the child said: standard output and standard error, read until
// both end or the deadline passes. False at the deadline.
bool ReadBoth(int out, int err, Clock::time_point deadline, std::string& output,
              std::string& errors) {
  std::array<pollfd, 2> fds{{{out, POLLIN, 0}, {err, POLLIN, 0}}};
  std::array<std::string*, 2> into{&output, &errors};
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(left.count()));
    if (ready == 0) return false;
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        fds[i].fd = -1;
        --open;
        continue;
      }
      const size_t room = kKeptBytes - std::min(kKeptBytes, into[i]->size());
      into[i]->append(buffer, std::min(room, static_cast<size_t>(got)));
      explicit_bzero(buffer, sizeof buffer);
    }
  }
  return true;
}

}  // namespace

AnsiString RunPassCommand(const std::string& command, const SecretName& name,
                          std::chrono::milliseconds timeout) {
  Pipe out, err;
  if (!out.Made() || !err.Made()) throw CommandError(name, u"コマンドを起動できません");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.Write(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.Write(), STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A group of its own, so that the time-out ends what the shell started too.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes,
                                    const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) throw CommandError(name, u"/bin/sh を起動できません");
  out.CloseWrite();
  err.CloseWrite();

  std::string output, errors;
  const bool ended = ReadBoth(out.Read(), err.Read(), Clock::now() + timeout, output, errors);
  if (!ended) ::kill(-pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  std::string line = FirstLine(output);
  ClearSecret(output);
  const WideString stderrLine = Utf8OrRaw(FirstLine(errors));
  const auto told = [&](WideString why) {
    ClearSecret(line);
    if (!stderrLine.empty()) why += u" (" + stderrLine + u")";
    return CommandError(name, why);
  };
  if (!ended)
    throw told(u"コマンドが " +
               Utf8ToWide(std::to_string(
                   std::chrono::duration_cast<std::chrono::seconds>(timeout).count())) +
               u" 秒以内に終わりませんでした");
  if (WIFSIGNALED(status))
    throw told(u"コマンドがシグナル " + Utf8ToWide(std::to_string(WTERMSIG(status))) +
               u" で終わりました");
  if (WEXITSTATUS(status) != 0)
    throw told(u"コマンドが終了コード " + Utf8ToWide(std::to_string(WEXITSTATUS(status))) +
               u" で終わりました");
  if (line.empty()) throw told(u"コマンドが何も出力しませんでした");
  AnsiString secret = IsValidUtf8(line) ? WideToSjis(Utf8ToWide(line)) : line;
  ClearSecret(line);
  return secret;
}

AnsiString CommandStore::Read(const SecretName& name) const {
  return RunPassCommand(WideToUtf8(SjisToWide(command_)), name);
}

void CommandStore::Write(const SecretName& name, const AnsiString&) const {
  throw SecretError(DescribeSecret(name) +
                    u"は PassCommand から読むもので、保存できません。保存先を選び直してください");
}

}  // namespace orvane
