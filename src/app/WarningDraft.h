#pragma once

#include <filesystem>
#include <vector>

#include "app/MessageDraft.h"
#include "checks/CheckWarnings.h"

namespace orvane {

// The draft's To, Cc and Bcc taken apart (RecipientsOfDraft), and the lists
// rebuilt from them (SetRecipientsOfDraft).
std::vector<TRecipient> DraftRecipients(const MessageDraft& draft);
void SetDraftRecipients(MessageDraft& draft, const std::vector<TRecipient>& recipients);

// The draft and its flags as the pre-send rules read them, with whom the
// user wrote to before (the address book and the account's sent log).
// signature: the expanded signature ComposeMessage ended the body with;
// attachments: the files it attached.
TWarningDraft WarningDraftOf(const IniFileUnit& settings, const MessageDraft& draft,
                             const AnsiString& accountName, bool sendSucceeded,
                             const WideString& signature,
                             const std::vector<std::filesystem::path>& attachments);

}  // namespace orvane
