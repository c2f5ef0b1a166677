#include "app/SendSequence.h"

#include "app/ComposeMessage.h"
#include "app/MessageFile.h"
#include "app/SendConfirmation.h"
#include "app/WarningDraft.h"
#include "checks/ConfirmSettings.h"
#include "mime/FieldRemoval.h"
#include "platform/Error.h"
#include "transport/TCPThread.h"

namespace orvane {

namespace {

// What the attempt delivers: the message with its Bcc field (the sent log
// reads it) and every envelope recipient.
SendJob JobOf(const AnsiString& accountName, const TZelMime& mime) {
  SendJob job{accountName, std::make_shared<const AnsiString>(mime.MessageText()), {}, {}};
  for (const AnsiString& address : mime.Recipients()) job.recipients.push_back(address);
  return job;
}

// The pre-send checks, when there is someone to show them to; false when
// the send ends there.
bool Check(const SendSequenceServices& services, const TWarningDraft& warningDraft,
           const SendDisplays& displays, const TZelMime& mime, SendOutcome& outcome) {
  outcome.stage = SendStage::Checks;
  return !displays.warnings ||
         CheckWarnings(services.settings, warningDraft, mime, *displays.warnings);
}

// The attempt, which the window runs until it is recorded.
SendOutcome Attempt(const SendSequenceServices& services, SendJob job, SendWindow& window,
                    bool& sendSucceeded) {
  TSendForm attempt(SendServices{services.settings, services.clock, window.EventThread(),
                                 services.clients, services.tokens},
                    std::move(job));
  attempt.OnDelivered = [&sendSucceeded](bool success) { sendSucceeded = success; };
  window.ShowAttempt(attempt);
  return attempt.Outcome();
}

// A ready message as the checks read it: its header; the whole message,
// decoded, only when a rule reads the body.
void LoadForChecks(const SendSequenceServices& services, const SendDisplays& displays,
                   const AnsiString& text, TZelMime& mime) {
  SelectEncodeCharSet(services.settings, mime.DefaultEncodeCharSet);
  // Read in memory: no attachment is saved anywhere.
  mime.Option = TMimeOptions{TMimeOption::MultiPartDecode};
  if (!displays.warnings || !ReadWarningSettings(services.settings).ReadsBody())
    return mime.SetMessageText(AnsiString(MessageHeader(text)));
  mime.SetMessageText(text);
  mime.Decode();
}

// The stages before the attempt; false when the send ends at the stage the
// outcome names.
bool Prepare(const SendSequenceServices& services, const SendRequest& request,
             const SendDisplays& displays, TZelMime& mime, SendOutcome& outcome) {
  const IniFileUnit& settings = services.settings;
  const bool makeFile = settings.Read(keys::kFileSave);
  WideString signature;
  auto compose = [&] {
    signature =
        ComposeMessage(request.draft, request.attachments,
                       {settings, services.clock, request.accountName, request.versionText}, mime);
  };
  WriteMessageFile(
      settings, services.clock,
      MessageFileRequest{request.draft.Subject, request.commandLine, makeFile, displays.notice},
      mime, [&] {
        compose();
        outcome.stage = SendStage::MessageFile;
      });
  if (!Check(services,
             WarningDraftOf(settings, request.draft, request.accountName, request.sendSucceeded,
                            signature, request.attachments),
             displays, mime, outcome))
    return false;
  outcome.stage = SendStage::Confirm;
  if (!displays.confirm) return true;
  const TConfirmResult confirmed = AskConfirmation(settings, request.accountName, request.draft,
                                                   request.attachments, mime, *displays.confirm);
  // The message file keeps the recipients as they were when it was written.
  if (confirmed.goOn && confirmed.moved) compose();
  return confirmed.goOn;
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
  SendJob job = JobOf(request.accountName, mime);
  job.allRecipientsRequired = request.allRecipientsRequired;
  // Only someone at the screen can take a send back in its delay.
  if (displays.confirm) job.delaySeconds = ReadDelaySeconds(services.settings);
  return Attempt(services, std::move(job), displays.window, request.sendSucceeded);
}

SendOutcome RunReadySend(const SendSequenceServices& services, ReadySendRequest request,
                         const SendDisplays& displays) {
  SendOutcome outcome;
  ReadyMessage& ready = request.message;
  try {
    TZelMime mime(services.clock, services.settings.ProgramFolder());
    LoadForChecks(services, displays, *ready.text, mime);
    const TWarningDraft warningDraft = WarningDraftOf(
        services.settings, ready.draft, request.accountName, request.sendSucceeded, u"", {});
    if (!Check(services, warningDraft, displays, mime, outcome)) return outcome;
  } catch (const Error& e) {
    outcome.reason = e.Message();
    displays.window.ShowError(outcome.reason);
    return outcome;
  }
  return Attempt(services,
                 SendJob{request.accountName, std::move(ready.text), std::move(ready.recipients),
                         std::move(ready.mailFrom), 0, std::move(ready.rest), BodyEnd::AsGiven,
                         request.allRecipientsRequired},
                 displays.window, request.sendSucceeded);
}

void WaitForSendWorkers(MainThread& mainThread) {
  mainThread.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, std::chrono::seconds(30));
}

}  // namespace orvane
