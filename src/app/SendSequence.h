#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "app/ConfirmDisplay.h"
#include "app/MessageDraft.h"
#include "app/ReadyMessage.h"
#include "app/SendOutcome.h"
#include "app/SendUnit.h"
#include "app/SendWindow.h"
#include "app/cmdline.h"
#include "checks/CheckWarnings.h"
#include "mime/ZelMime.h"

namespace orvane {

// What a send works with besides its displays.
struct SendSequenceServices {
  IniFileUnit settings;
  const Clock& clock;
  const SendClients& clients;
  // The access tokens of accounts that sign in with OAuth 2.0.
  TAccessTokens& tokens;
};

// What is sent.
struct SendRequest {
  // Recipients the confirmation moves into Bcc are moved here.
  MessageDraft& draft;
  // The files to attach, in order; no other list is read.
  std::vector<std::filesystem::path> attachments;
  AnsiString accountName;
  WideString versionText;        // for the mailer header
  const Arguments& commandLine;  // the message file may be named after argument 1
  // Whether the last delivery succeeded: a pre-send check reads it, and a
  // delivery that ends (a failed sign-in included) sets it.
  bool& sendSucceeded;
  // Whether a refused recipient stops the delivery (see SendJob).
  bool allRecipientsRequired = false;
};

// A message that came whole, as a sendmail command takes it.
struct ReadySendRequest {
  ReadyMessage message;
  AnsiString accountName;
  bool& sendSucceeded;  // as in SendRequest
  bool allRecipientsRequired = false;
};

// Whom the send asks and tells.
struct SendDisplays {
  WarningDisplay* warnings;  // none: the pre-send checks are skipped
  SendWindow& window;
  // Someone at the screen, who confirms the send ([Confirm] Enabled) and
  // may take it back in its delay ([Confirm] DelaySeconds). None: the send
  // is neither confirmed nor held.
  ConfirmDisplay* confirm = nullptr;
  // Told when the message file went to the program folder because its
  // folder was not found.
  std::function<void(const WideString&)> notice = nullptr;
};

// One send, in this order: composes the draft with its attachments into
// mime; writes the message file when Option/FileSave is on (it stays also
// when the send then stops); runs the pre-send checks; asks for the
// confirmation (a move of recipients into Bcc there changes the draft and
// the message); hands the composed message and its envelope to a send
// attempt (TSendForm), which the window runs until it is recorded in the
// sent log. An Error of a stage before the attempt ends the send there and
// is shown by the window; the outcome tells where the send ended and why.
SendOutcome RunSendSequence(const SendSequenceServices& services, const SendRequest& request,
                            const SendDisplays& displays, TZelMime& mime);

// The same sequence for a ready message, which is neither composed nor
// written to a message file: the pre-send checks read its header fields,
// and its text part only when a rule that reads the body is on; then the
// send attempt, as above. It is neither confirmed nor held: the
// confirmation's move into Bcc would have to write the message anew, so
// displays.confirm is not asked.
SendOutcome RunReadySend(const SendSequenceServices& services, ReadySendRequest request,
                         const SendDisplays& displays);

// Lets the thread run its events until no client's worker is left, for at
// most 30 seconds. A worker lingers a few seconds after its dialogue and
// then hands over to that thread once more: the thread's owner calls this
// before the thread goes.
void WaitForSendWorkers(MainThread& mainThread);

}  // namespace orvane
