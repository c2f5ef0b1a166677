#pragma once

#include <filesystem>
#include <vector>

#include "addressbook/AdBookStore.h"

namespace orvane {

// Imports every card of a vCard file into the group as new contacts and
// returns how many there were. A file that cannot be read or is not vCard
// throws Error naming the file and the reason, and changes nothing.
size_t ImportVCardFile(const AdBookStore& store, const WideString& group,
                       const std::filesystem::path& path);

// Writes the contacts of the ids (ids without a contact file left out) to
// a vCard 3.0 file, replacing it as a whole; returns how many were written.
size_t ExportVCardFile(const AdBookStore& store, const std::vector<AnsiString>& ids,
                       const std::filesystem::path& path);

}  // namespace orvane
