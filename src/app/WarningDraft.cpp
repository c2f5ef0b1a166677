#include "app/WarningDraft.h"

#include "app/AddressInput.h"
#include "app/RecipientHistoryFiles.h"

namespace orvane {

std::vector<TRecipient> DraftRecipients(const MessageDraft& draft) {
  std::vector<TRecipient> recipients;
  for (TSendItem& item : RecipientsOfDraft(draft))
    recipients.push_back(
        {static_cast<TRecipientKind>(item.Kind), std::move(item.Name), std::move(item.Address)});
  return recipients;
}

void SetDraftRecipients(MessageDraft& draft, const std::vector<TRecipient>& recipients) {
  std::vector<TSendItem> items;
  for (const TRecipient& recipient : recipients)
    items.push_back({recipient.name, recipient.address, static_cast<int>(recipient.kind)});
  SetRecipientsOfDraft(draft, items);
}

TWarningDraft WarningDraftOf(const IniFileUnit& settings, const MessageDraft& draft,
                             const AnsiString& accountName, bool sendSucceeded,
                             const WideString& signature,
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
                       .Attachments = attachments,
                       .Recipients = DraftRecipients(draft),
                       .History = RecipientHistoryFiles(settings, accountName)};
}

}  // namespace orvane
