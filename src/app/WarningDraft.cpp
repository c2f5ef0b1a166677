#include "app/WarningDraft.h"

namespace orvane {

TWarningDraft WarningDraftOf(const MessageDraft& draft, const AnsiString& accountName,
                             bool sendSucceeded, const WideString& signature,
                             const std::vector<std::filesystem::path>& attachments) {
  return TWarningDraft{.ToText = draft.ToText,
                       .CcText = draft.CcText,
                       .BccText = draft.BccText,
                       .ReplyToText = draft.ReplyToText,
                       .InReplyToText = draft.InReplyToText,
                       .Subject = draft.Subject,
                       .Disposition = draft.Disposition,
                       .NormalPriority = draft.Priority == PriorityItem::Normal,
                       .SendSucceeded = sendSucceeded,
                       .AccountName = accountName,
                       .Signature = signature,
                       .Attachments = attachments};
}

}  // namespace orvane
