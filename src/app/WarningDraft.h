#pragma once

#include <filesystem>
#include <vector>

#include "app/MessageDraft.h"
#include "checks/CheckWarnings.h"

namespace orvane {

// The draft and its flags as the pre-send rules read them. signature: the
// expanded signature ComposeMessage ended the body with; attachments: the
// files it attached.
TWarningDraft WarningDraftOf(const MessageDraft& draft, const AnsiString& accountName,
                             bool sendSucceeded, const WideString& signature,
                             const std::vector<std::filesystem::path>& attachments);

}  // namespace orvane
