#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "addressbook/AdBookStore.h"
#include "addressbook/ContactRecord.h"

namespace orvane {

// The largest vCard file that is read.
inline constexpr std::uintmax_t kMaxVCardBytes = std::uintmax_t{256} << 20;

// The contacts of every card of a vCard file. A file that cannot be read
// (also a device, a pipe or a file larger than kMaxVCardBytes) or is not
// vCard throws Error naming the file and the reason.
std::vector<ContactRecord> ReadVCardFile(const std::filesystem::path& path);

// Writes the contacts of the ids (ids without a contact file left out) to
// a vCard 3.0 file, replacing it as a whole; returns how many were written.
size_t ExportVCardFile(const AdBookStore& store, const std::vector<AnsiString>& ids,
                       const std::filesystem::path& path);

}  // namespace orvane
