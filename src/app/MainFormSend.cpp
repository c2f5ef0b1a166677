// The main window's Send command: the draft becomes a message, is written
// to its file when asked for and checked; the send window takes it over.

#include "app/MainForm.h"

namespace orvane {

bool TOrvaneMainForm::Send() {
  const MakeFileScope makeFile(*this, Settings().Read(keys::kFileSave));
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
