#include "app/SendSequence.h"

#include "app/ComposeMessage.h"
#include "app/MessageFile.h"
#include "app/WarningDraft.h"
#include "platform/Error.h"
#include "transport/TCPThread.h"

namespace orvane {

namespace {

// What the attempt delivers: the message with its Bcc field (the sent log
// reads it) and every envelope recipient.
SendJob JobOf(const AnsiString& accountName, const TZelMime& mime) {
  SendJob job{accountName, mime.MessageText(), {}};
  for (const AnsiString& address : mime.Recipients()) job.recipients.push_back(address);
  return job;
}

// The stages before the attempt; false when the send ends at the stage the
// outcome names.
bool Prepare(const SendSequenceServices& services, const SendRequest& request,
             const SendDisplays& displays, TZelMime& mime, SendOutcome& outcome) {
  const IniFileUnit& settings = services.settings;
  const bool makeFile = settings.Read(keys::kFileSave);
  WideString signature;
  WriteMessageFile(
      settings, services.clock,
      MessageFileRequest{request.draft.Subject, request.commandLine, makeFile, displays.notice},
      mime, [&] {
        signature = ComposeMessage(
            request.draft, request.attachments,
            {settings, services.clock, request.accountName, request.versionText}, mime);
        outcome.stage = SendStage::MessageFile;
      });
  outcome.stage = SendStage::Checks;
  if (!CheckWarnings(settings,
                     WarningDraftOf(request.draft, request.accountName, request.sendSucceeded,
                                    signature, request.attachments),
                     mime, displays.warnings))
    return false;
  outcome.stage = SendStage::Confirm;
  return !displays.confirm ||
         displays.confirm->ConfirmSend(request.draft, mime) == TConfirmChoice::GoOn;
}

}  // namespace

SendOutcome RunSendSequence(const SendSequenceServices& services, const SendRequest& request,
                            const SendDisplays& displays, TZelMime& mime) {
  SendOutcome outcome;
  try {
    if (!Prepare(services, request, displays, mime, outcome)) return outcome;
  } catch (const Error& e) {
    outcome.reason = e.Message();
    displays.window.ShowError(outcome.reason);
    return outcome;
  }
  TSendForm attempt(SendServices{services.settings, services.clock, displays.window.EventThread(),
                                 services.clients, services.tokens},
                    JobOf(request.accountName, mime));
  attempt.OnDelivered = [&request](bool success) { request.sendSucceeded = success; };
  displays.window.ShowAttempt(attempt);
  return attempt.Outcome();
}

void WaitForSendWorkers(MainThread& mainThread) {
  mainThread.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, std::chrono::seconds(30));
}

}  // namespace orvane
