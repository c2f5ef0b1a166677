#pragma once

#include <filesystem>
#include <functional>
#include <optional>
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
  WideString versionText;           // for the mailer header
  std::filesystem::path startFile;  // the message file may be named after it (StartFile)
  // Whether the last delivery of the same window succeeded: a pre-send
  // rule reads it.
  bool lastSendSucceeded = false;
  // Whether a refused recipient stops the delivery (see SendJob).
  bool allRecipientsRequired = false;
  // 後で送信: the message goes into the outbox to be sent at this time,
  // after the checks and the confirmation, instead of being sent now.
  std::optional<TimePoint> sendAt = std::nullopt;
  // A temporary failure puts it into the outbox (see SendJob).
  bool queueOnFailure = false;
  // Whether the draft is kept with a message that goes into the outbox, so
  // that the window can take it back (the window's own sends).
  bool keepDraft = false;
};

// A message that came whole, as a sendmail command takes it.
struct ReadySendRequest {
  ReadyMessage message;
  AnsiString accountName;
  bool allRecipientsRequired = false;
  // Into the outbox, not sent now (orvane-send -odq).
  bool queueOnly = false;
  bool queueOnFailure = false;
  TDsnRequest dsn = {};
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

// One send, in the order of its stages: composes the draft with its
// attachments into mime; writes the message file when Option/FileSave is on
// (it stays also when the send then stops); runs the pre-send checks; asks
// for the confirmation (a move of recipients into Bcc there changes the
// draft and the message); hands the composed message and its envelope to a
// send attempt (TSendForm), which the window runs until it is recorded in
// the sent log. An Error of a stage before the attempt ends the send there
// and is shown by the window; the outcome tells where the send ended and
// why.
SendOutcome RunSendSequence(const SendSequenceServices& services, const SendRequest& request,
                            const SendDisplays& displays, TZelMime& mime);

// Whom ファイル作成 asks and tells: the warning display (none: the checks
// are skipped) and the notice of SendDisplays.
struct FileDisplays {
  WarningDisplay* warnings;
  std::function<void(const WideString&)> notice = nullptr;
};

// ファイル作成: the first stages of a send and no more. Composes, runs the
// pre-send checks and, when they let it go on, writes the message file
// whatever Option/FileSave says. A file the checks stop is never written,
// so here they come before it. An Error ends the sequence with its
// message as the outcome's reason, shown by the caller.
SendOutcome RunFileSequence(const SendSequenceServices& services, const SendRequest& request,
                            const FileDisplays& displays, TZelMime& mime);

// The same sequence for a ready message, which is neither composed nor
// written to a message file: the pre-send checks read its header fields,
// and its text part only when a rule that reads the body is on; then the
// send attempt, as above. It is neither confirmed nor held: the
// confirmation's move into Bcc would have to write the message anew, so
// displays.confirm is not asked.
SendOutcome RunReadySend(const SendSequenceServices& services, ReadySendRequest request,
                         const SendDisplays& displays);

// A message of the outbox, sent as the attempt of a send: the window runs
// it until it is recorded, the sent log saying where it came from.
SendOutcome RunQueuedSend(const SendSequenceServices& services, SendJob job, SendWindow& window);

// Lets the thread run its events until no client's worker is left, for at
// most 30 seconds. A worker lingers a few seconds after its dialogue and
// then hands over to that thread once more: the thread's owner calls this
// before the thread goes.
void WaitForSendWorkers(MainThread& mainThread);

}  // namespace orvane
