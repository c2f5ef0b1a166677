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

// The same file read by both of Python's policies, with the rules of the
// wire checked on its bytes (tests/support/check_wire.py): "default",
// "compat32" and "problems". rawHeaderNames allows 8-bit octets in header
// fields, for file names written raw.
JsonValue CheckWireWithPython(const std::filesystem::path& file, bool rawHeaderNames = false);

}  // namespace orvane::test
