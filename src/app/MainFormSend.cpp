// The main window's Send command.

#include "app/MainForm.h"

namespace orvane {

SendOutcome TOrvaneMainForm::Send(SendWindow& window) {
  return RunSendSequence(
      SendSequenceServices{Settings(), ClockService(), SendClientsService(), AccessTokens()},
      SendRequest{Draft, Settings().AttachFilePaths(), AccountName, VersionText, CommandLine(),
                  SendSucceeded},
      SendDisplays{&Warnings(), window, nullptr,
                   [this](const WideString& text) { DoStatusMessage(text); }},
      MIME);
}

}  // namespace orvane
