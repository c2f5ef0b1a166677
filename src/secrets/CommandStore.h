#pragma once

#include <chrono>
#include <string>

#include "secrets/SecretStore.h"

namespace orvane {

inline constexpr std::chrono::milliseconds kPassCommandTimeout{10000};

// Runs a password command as scripts expect (`pass show mail/taro`,
// `secret-tool lookup …`): `/bin/sh -c command` (UTF-8), standard input
// from /dev/null, the program's own environment. Its first line of
// standard output is the secret: the line end is dropped, blanks are kept;
// UTF-8 output becomes Shift_JIS. The command runs in a process group of
// its own, killed whole at the time-out.
//
// Throws SecretError naming `name` when the command cannot start, ends
// with a status other than 0 or by a signal (the status and its first line
// of standard error are told), prints nothing, or outlives the time-out.
AnsiString RunPassCommand(const std::string& command, const SecretName& name,
                          std::chrono::milliseconds timeout = kPassCommandTimeout);

// The password comes from a command; nothing is stored, so a write is
// refused and an erase does nothing.
class CommandStore : public SecretStore {
 public:
  // `command` as the settings file holds it (Shift_JIS).
  explicit CommandStore(AnsiString command) : command_(std::move(command)) {}

  AnsiString Read(const SecretName& name) const override;
  void Write(const SecretName& name, const AnsiString& secret) const override;
  void Erase(const SecretName&) const override {}

 private:
  AnsiString command_;
};

}  // namespace orvane
