#pragma once

#include <filesystem>

#include "support/JsonValue.h"

namespace orvane::test {

// What Python's email package (policy=default) reads from a message file:
// subject, From/To/Cc with display names, the plain text body and the
// attachments with names and bytes (tests/support/parse_message.py).
// Throws std::runtime_error when Python cannot read the file.
JsonValue ParseWithPython(const std::filesystem::path& file);

}  // namespace orvane::test
