#include "app/SendConfirmation.h"

#include "app/RecipientHistoryFiles.h"
#include "app/WarningDraft.h"
#include "checks/ConfirmSettings.h"
#include "platform/CodePage.h"

namespace orvane {

TConfirmResult AskConfirmation(const IniFileUnit& settings, const AnsiString& account,
                               MessageDraft& draft,
                               const std::vector<std::filesystem::path>& attachments,
                               const TZelMime& message, ConfirmDisplay& display) {
  TConfirmSend send{account, message.From(), message.Subject(), DraftRecipients(draft), {}};
  for (const std::filesystem::path& file : attachments)
    send.attachments.push_back({Utf8ToWide(file.filename().native()), AttachedFileSize(file)});
  TConfirmForm form(std::move(send), ReadConfirmSettings(settings, account),
                    RecipientHistoryFiles(settings, account));
  if (!form.Needed()) return {};
  const bool goOn = display.ConfirmSend(form) == TConfirmChoice::GoOn && form.SendEnabled();
  if (form.RecipientsMoved()) SetDraftRecipients(draft, form.Send().recipients);
  return {goOn, form.RecipientsMoved()};
}

}  // namespace orvane
