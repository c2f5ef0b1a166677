#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "app/MessageDraft.h"
#include "app/cmdline.h"
#include "platform/Shell.h"
#include "platform/Types.h"

namespace orvane {

// What the command line needs of the main window beyond the draft.
struct CommandLineServices {
  // Where a mailto: link's body is written.
  std::filesystem::path programFolder;
  Shell& shell;
  // account=: makes the account current when its settings file exists.
  std::function<void(const AnsiString& account)> selectAccount;
  // /r: the reply mode over the saved message the body file names.
  std::function<void()> replyFromFile;
};

// What the command line leaves to be told once the window is up.
struct CommandLineOutcome {
  // For the status bar: the keys of a mailto: link that were ignored.
  WideString notice;
  // A mailto: link refused whole, and why.
  std::optional<WideString> refusal;
};

// Turns the command line into the draft. The first plain argument is a
// mailto: link when it starts so, the body file otherwise; then, in this
// order, file=, /o, +o, -o, the subject from the body file's name, the
// link's subject, account=, subject=, /r, mailto=, replyto= and
// inreplyto=, so that keys given beside a link win over it. A link's body
// becomes a new numbered body file in the program folder. Throws
// FileError when a body file cannot be made; the later steps are skipped.
CommandLineOutcome ApplyCommandLine(const Arguments& arguments, MessageDraft& draft,
                                    const CommandLineServices& services);

// Writes bytes to the first path of the form folder, base name, n and
// extension (n = 0, 1, ...) that nothing takes yet, and returns it. Throws
// FileError when it cannot be made.
std::filesystem::path WriteNumberedFile(const std::filesystem::path& pattern,
                                        std::string_view bytes);

}  // namespace orvane
