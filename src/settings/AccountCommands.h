#pragma once

#include <optional>

#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The rules of the main window's account commands. Each asks the user
// through the prompt and reports failures there; none of them writes a
// file outside the program folder.

// Asks for a name and creates its account file. Returns the new account,
// or nullopt when the user cancelled or it could not be created (the
// reason has been shown).
std::optional<AnsiString> AddAccount(const IniFileUnit& settings, Prompt& prompt);

// Asks for a new name for `current` and renames its file. Returns the new
// name, or nullopt when the user cancelled or the rename failed (shown).
std::optional<AnsiString> RenameAccount(const IniFileUnit& settings, Prompt& prompt,
                                        const AnsiString& current);

// Asks whether to delete `current` and deletes its file; a failure is
// shown. Returns whether the user agreed: the current account is then to be
// chosen anew, whether the file went or not.
bool DeleteAccount(const IniFileUnit& settings, Prompt& prompt, const AnsiString& current);

}  // namespace orvane
