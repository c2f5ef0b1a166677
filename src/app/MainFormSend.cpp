// The main window's Send command.

#include "app/MainForm.h"

namespace orvane {

SendOutcome TOrvaneMainForm::Send(SendWindow& window, ConfirmDisplay* confirm) {
  const SendOutcome outcome = RunSendSequence(
      SendSequenceServices{Settings(), ClockService(), SendClientsService(), AccessTokens()},
      SendRequest{Draft, Settings().AttachFilePaths(), AccountName, VersionText, CommandLine(),
                  SendSucceeded},
      SendDisplays{&Warnings(), window, confirm,
                   [this](const WideString& text) { DoStatusMessage(text); }},
      MIME);
  // The confirmation may have moved recipients into Bcc.
  ShowDraftState();
  if (!outcome.refused.empty()) DoStatusMessage(RefusedRecipientsText(outcome.refused));
  return outcome;
}

}  // namespace orvane
