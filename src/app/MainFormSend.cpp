// The main window's Send command: the draft becomes a message, is written
// to its file when asked for and checked; the send window takes it over.

#include "app/MainForm.h"
#include "app/MessageFile.h"

namespace orvane {

std::optional<std::filesystem::path> TOrvaneMainForm::WriteMessageFile() {
  return orvane::WriteMessageFile(Settings(), ClockService(),
                                  MessageFileRequest{Draft.Subject, CommandLine(), MakeFile}, MIME,
                                  [this] { ComposeMessage(); });
}

bool TOrvaneMainForm::Send() {
  // MakeFile means "this command writes the file"; it must not outlive the
  // command, also when composing, writing or the checks fail.
  struct ClearMakeFile {
    bool& flag;
    ~ClearMakeFile() { flag = false; }
  } clear{MakeFile};
  MakeFile = Settings().Read(keys::kFileSave);
  // The file is written before the checks, so it stays also when the user
  // then stops.
  WriteMessageFile();
  return CheckWarnings();
}

SendJob TOrvaneMainForm::MakeSendJob() const {
  SendJob job{AccountName, MIME.MessageText(), {}};
  for (const AnsiString& address : MIME.Recipients()) job.recipients.push_back(address);
  return job;
}

}  // namespace orvane
