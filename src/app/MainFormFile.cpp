// The main window's file-output command.

#include "app/MainForm.h"

namespace orvane {

std::optional<std::filesystem::path> TOrvaneMainForm::FileMake() {
  const SendOutcome outcome =
      RunFileSequence(SequenceServices(), DraftRequest(),
                      FileDisplays{&Warnings(), [this](const WideString& text) { DoStatusMessage(text); }},
                      MIME);
  if (!outcome.reason.empty()) services_.prompt.ShowError(outcome.reason);
  return outcome.messageFile;
}

}  // namespace orvane
