#pragma once

#include <filesystem>

#include "support/JsonValue.h"

namespace orvane::test {

// What Python's email package (policy=default) reads from a message file:
// subject, From/To/Cc/Bcc/Reply-To/Disposition-Notification-To with display
// names (read_receipt_to for the last), every header field
// decoded with the defects found in it, the plain text body and the
// attachments with names and bytes (tests/support/parse_message.py).
// Throws std::runtime_error when Python cannot read the file.
JsonValue ParseWithPython(const std::filesystem::path& file);

}  // namespace orvane::test
