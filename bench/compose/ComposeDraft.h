#pragma once

#include <filesystem>

#include "app/MessageDraft.h"
#include "platform/Types.h"

namespace orvane::bench {

// The draft of the message-assembly benchmarks: an account with a
// signature and an extended header line, a body file of 50 lines and 20
// attachments of 5 MiB.
inline constexpr int kAttachmentCount = 20;
inline constexpr std::size_t kAttachmentBytes = 5u << 20;
inline constexpr std::size_t kTotalBytes = kAttachmentCount * kAttachmentBytes;
inline const AnsiString kAccount = "bench";
inline constexpr const char16_t* kVersion = u"Version 3.2.6";

// Writes the account, the body file and the attachments into the folder.
void MakeProgramFolder(const std::filesystem::path& folder);
MessageDraft Draft(const std::filesystem::path& folder);

}  // namespace orvane::bench
