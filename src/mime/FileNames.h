#pragma once

#include <filesystem>

#include "platform/Types.h"

namespace orvane {

// A name from a message made fit to be a file name: TAB, LF, CR and NUL are
// removed; "\" "/" ":" "," ";" "*" "?" double quote "<" ">" "|" become their
// full-width forms; blanks are trimmed from both ends. The result may still
// be empty, "." or ".." (see IsUsableFileName).
WideString SanitizeFileName(const WideString& name);

// False for a name that cannot stand for a file of its own inside a folder:
// empty, ".", "..", or holding a "/" or NUL.
bool IsUsableFileName(const WideString& name);

// The name given to an attachment without one: name (or "Attach" +
// subfolderName when it is empty) + the extension cut after its first
// character at the first byte that is not a letter, digit, "+" or "-"
// (".tar.gz" gives ".tar"). When folder + name + extension reach 260
// characters, the name is shortened to fit.
WideString DefaultAttachName(const std::filesystem::path& folder, const WideString& extension,
                             WideString name, const WideString& subfolderName);

// The name shortened, extension kept, so that its UTF-8 form fits into one
// file name component (255 bytes).
WideString FitFileNameLength(WideString name);

}  // namespace orvane
