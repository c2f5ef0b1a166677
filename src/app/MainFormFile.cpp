// The main window's file-output command, and the message file that the
// Send command writes as well.

#include "app/MainForm.h"
#include "app/MessageFile.h"
#include "platform/Error.h"

namespace orvane {

std::optional<std::filesystem::path> TOrvaneMainForm::WriteMessageFile() {
  const MessageFileRequest request{Draft.Subject, CommandLine(), MakeFile,
                                   [this](const WideString& text) { DoStatusMessage(text); }};
  return orvane::WriteMessageFile(Settings(), ClockService(), request, MIME,
                                  [this] { ComposeMessage(); });
}

std::optional<std::filesystem::path> TOrvaneMainForm::FileMake() {
  try {
    // The checks read the composed message; the file then holds a second
    // composition, made the same way.
    ComposeMessage();
    CheckWarnings();
    const MakeFileScope makeFile(*this, true);
    if (CanSend) return WriteMessageFile();
  } catch (const Error& error) {
    PromptService().ShowError(error.Message());
  }
  return std::nullopt;
}

}  // namespace orvane
