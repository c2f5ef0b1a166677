// The main window's Send command.

#include "app/MainForm.h"
#include "app/MessageFileName.h"

namespace orvane {

SendSequenceServices TOrvaneMainForm::SequenceServices() {
  return SendSequenceServices{Settings(), services_.clock, *services_.sendClients, accessTokens_};
}

SendRequest TOrvaneMainForm::DraftRequest() {
  SendRequest request{Draft,       Settings().AttachFilePaths(), AccountName,
                      VersionText, StartFile(arguments_),        SendSucceeded};
  request.queueOnFailure = Settings().Read(keys::kOutboxEnabled);
  request.keepDraft = true;
  return request;
}

SendOutcome TOrvaneMainForm::Send(SendWindow& window, ConfirmDisplay* confirm,
                                  std::optional<TimePoint> sendAt) {
  SendRequest request = DraftRequest();
  request.sendAt = sendAt;
  const SendOutcome outcome =
      RunSendSequence(SequenceServices(), request,
                      SendDisplays{&Warnings(), window, confirm,
                                   [this](const WideString& text) { DoStatusMessage(text); }},
                      MIME);
  if (DeliveryEnded(outcome)) SendSucceeded = outcome.success;
  // The confirmation may have moved recipients into Bcc.
  ShowDraftState();
  if (!outcome.refused.empty()) DoStatusMessage(RefusedRecipientsText(outcome.refused));
  return outcome;
}

}  // namespace orvane
