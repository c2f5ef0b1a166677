#include "app/SendSequence.h"

#include "app/ComposeMessage.h"
#include "app/MessageFile.h"
#include "app/OutboxQueue.h"
#include "app/SendConfirmation.h"
#include "app/WarningDraft.h"
#include "checks/BlockRules.h"
#include "checks/ConfirmSettings.h"
#include "mime/HeaderFields.h"
#include "mime/SevenBit.h"
#include "platform/Error.h"
#include "platform/Path.h"
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

OutboxDraft OutboxDraftOf(const MessageDraft& draft) {
  return {draft.ToText, draft.CcText, draft.BccText, draft.Subject, draft.BodyFileName};
}

// The stages of a send, in the order RunSendSequence runs them. Each names
// itself in the outcome before it works, so that an Error it throws ends
// the send at its stage; a stage that returns false ended it there.

// Compose: the draft and its attachments into mime. Returns the expanded
// signature the body ends with, which the checks tell from what the user
// wrote.
WideString ComposeStage(const SendSequenceServices& services, const SendRequest& request,
                        TZelMime& mime, SendOutcome& outcome) {
  outcome.stage = SendStage::Compose;
  return ComposeMessage(
      request.draft, request.attachments,
      {services.settings, services.clock, request.accountName, request.versionText}, mime);
}

// The message file, as composed; the caller decides whether one is wanted.
void MessageFileStage(const SendSequenceServices& services, const SendRequest& request,
                      const std::function<void(const WideString&)>& notice, const TZelMime& mime,
                      SendOutcome& outcome) {
  outcome.stage = SendStage::MessageFile;
  outcome.messageFile =
      WriteMessageFile(services.settings, services.clock,
                       MessageFileRequest{request.draft.Subject, request.startFile, notice}, mime);
}

// The pre-send checks, when there is someone to show them to.
// Block, before the warnings and whether or not they are skipped: a send
// that breaks a rule stops with the rule's line, which nobody can answer.
bool BlockStage(const SendSequenceServices& services, TBlockedMessage message,
                SendWindow& window, SendOutcome& outcome) {
  outcome.stage = SendStage::Checks;
  const std::optional<WideString> blocked =
      BlockedSend(ReadBlockRules(services.settings), message);
  if (!blocked) return true;
  outcome.blocked = true;
  outcome.reason = *blocked;
  window.ShowError(*blocked);
  return false;
}

// The envelope's addresses as the rules read them: the composed message's
// list or a ready message's vector.
template <typename Addresses>
std::vector<WideString> WideRecipients(const Addresses& recipients) {
  std::vector<WideString> wide;
  for (const AnsiString& recipient : recipients) wide.push_back(SjisToWide(recipient));
  return wide;
}

bool CheckStage(const SendSequenceServices& services, const TWarningDraft& warningDraft,
                WarningDisplay* warnings, const TZelMime& mime, SendOutcome& outcome) {
  outcome.stage = SendStage::Checks;
  return !warnings || CheckWarnings(services.settings, warningDraft, mime, *warnings);
}

bool CheckStage(const SendSequenceServices& services, const SendRequest& request,
                const WideString& signature, WarningDisplay* warnings, const TZelMime& mime,
                SendOutcome& outcome) {
  return CheckStage(services,
                    WarningDraftOf(services.settings, request.draft, request.accountName,
                                   request.lastSendSucceeded, signature, request.attachments),
                    warnings, mime, outcome);
}

// The confirmation, when someone at the screen gives it. A move of
// recipients into Bcc there composes the message anew; the message file
// keeps them as they were when it was written.
bool ConfirmStage(const SendSequenceServices& services, const SendRequest& request,
                  ConfirmDisplay* confirm, TZelMime& mime, SendOutcome& outcome) {
  outcome.stage = SendStage::Confirm;
  if (!confirm) return true;
  const TConfirmResult confirmed = AskConfirmation(services.settings, request.accountName,
                                                   request.draft, request.attachments, mime, *confirm);
  if (confirmed.goOn && confirmed.moved) ComposeStage(services, request, mime, outcome);
  return confirmed.goOn;
}

// The attempt, which the window runs until it is recorded; its outcome
// keeps what the stages before it left.
SendOutcome AttemptStage(const SendSequenceServices& services, SendJob job, SendWindow& window,
                         const SendOutcome& before) {
  TSendForm attempt(SendServices{services.settings, services.clock, window.EventThread(),
                                 services.clients, services.tokens},
                    std::move(job));
  window.ShowAttempt(attempt);
  SendOutcome outcome = attempt.Outcome();
  outcome.messageFile = before.messageFile;
  return outcome;
}

// The Error that ended a stage, as the outcome and the window tell it.
SendOutcome Failed(SendOutcome outcome, const Error& error, SendWindow* window) {
  outcome.reason = error.Message();
  if (window) window->ShowError(outcome.reason);
  return outcome;
}

// The outbox instead of the attempt: the message waits there until sendAt.
SendOutcome QueueStage(const SendSequenceServices& services, const SendJob& job,
                       std::optional<TimePoint> sendAt, SendOutcome outcome, SendWindow& window) {
  outcome.stage = SendStage::Queued;
  try {
    outcome.queued = QueueSendJob(services.settings, services.clock, job, {sendAt, {}}).nextAttempt;
  } catch (const Error& e) {
    return Failed(outcome, e, &window);
  }
  return outcome;
}

// A ready message as the checks read it: its header; the whole message,
// decoded, only when a rule reads the body.
void LoadForChecks(const SendSequenceServices& services, const SendDisplays& displays,
                   const AnsiString& text, TZelMime& mime) {
  SelectEncodeCharSet(services.settings, mime.DefaultEncodeCharSet);
  // Read in memory: no attachment is saved anywhere.
  mime.Option = TMimeOptions{TMimeOption::MultiPartDecode};
  const TBlockRules block = ReadBlockRules(services.settings);
  const bool readsBody = displays.warnings && ReadWarningSettings(services.settings).ReadsBody();
  if (!readsBody && !block.ReadsBody() && !block.ReadsAttachments())
    return mime.SetMessageText(AnsiString(MessageHeader(text)));
  // A ready message keeps the line ends it was given until the wire: the
  // decoder finds parts only between CR LF lines.
  mime.SetMessageText(WithCrLfLineEnds(text));
  mime.Decode();
}

}  // namespace

SendOutcome RunSendSequence(const SendSequenceServices& services, const SendRequest& request,
                            const SendDisplays& displays, TZelMime& mime) {
  SendOutcome outcome;
  try {
    const WideString signature = ComposeStage(services, request, mime, outcome);
    if (services.settings.Read(keys::kFileSave))
      MessageFileStage(services, request, displays.notice, mime, outcome);
    const TBlockedMessage message{WideRecipients(mime.Recipients()), request.draft.Subject,
                                  [&mime] { return mime.BodyText(); }, request.attachments};
    if (!BlockStage(services, message, displays.window, outcome)) return outcome;
    if (!CheckStage(services, request, signature, displays.warnings, mime, outcome)) return outcome;
    if (!ConfirmStage(services, request, displays.confirm, mime, outcome)) return outcome;
  } catch (const Error& e) {
    return Failed(outcome, e, &displays.window);
  }
  SendJob job = JobOf(request.accountName, mime);
  job.allRecipientsRequired = request.allRecipientsRequired;
  job.queueOnFailure = request.queueOnFailure;
  // Success and failure are what a sender waits to hear; the headers are
  // enough to tell which message it was, without the attachments again.
  if (services.settings.ReadBool(request.accountName, keys::kDeliveryNotice))
    job.dsn = {"SUCCESS,FAILURE", "HDRS", ""};
  if (request.keepDraft) job.draft = OutboxDraftOf(request.draft);
  if (request.sendAt) return QueueStage(services, job, request.sendAt, outcome, displays.window);
  // Only someone at the screen can take a send back in its delay.
  if (displays.confirm) job.delaySeconds = ReadDelaySeconds(services.settings);
  return AttemptStage(services, std::move(job), displays.window, outcome);
}

SendOutcome RunFileSequence(const SendSequenceServices& services, const SendRequest& request,
                            const FileDisplays& displays, TZelMime& mime) {
  SendOutcome outcome;
  try {
    const WideString signature = ComposeStage(services, request, mime, outcome);
    if (!CheckStage(services, request, signature, displays.warnings, mime, outcome)) return outcome;
    MessageFileStage(services, request, displays.notice, mime, outcome);
  } catch (const Error& e) {
    return Failed(outcome, e, nullptr);
  }
  return outcome;
}

SendOutcome RunReadySend(const SendSequenceServices& services, ReadySendRequest request,
                         const SendDisplays& displays) {
  SendOutcome outcome;
  ReadyMessage& ready = request.message;
  try {
    TZelMime mime(services.clock, services.settings.ProgramFolder());
    // The attachments' names as the decoding meets them: in memory, no
    // part is saved, so the parts keep no file name of their own.
    std::vector<std::filesystem::path> attached;
    mime.OnAttachDecoding = [&attached](TZelMime&, TContentType, const AnsiString&,
                                        WideString& name, bool&) {
      attached.push_back(WideToPath(name));
    };
    LoadForChecks(services, displays, *ready.text, mime);
    const TWarningDraft warningDraft =
        WarningDraftOf(services.settings, ready.draft, request.accountName, false, u"", {});
    const TBlockedMessage message{WideRecipients(ready.recipients), warningDraft.Subject,
                                  [&mime] { return mime.BodyText(); }, attached};
    if (!BlockStage(services, message, displays.window, outcome)) return outcome;
    if (!CheckStage(services, warningDraft, displays.warnings, mime, outcome)) return outcome;
  } catch (const Error& e) {
    return Failed(outcome, e, &displays.window);
  }
  SendJob job{request.accountName,        std::move(ready.text),
              std::move(ready.recipients), std::move(ready.mailFrom),
              0,                           std::move(ready.rest),
              BodyEnd::AsGiven,            request.allRecipientsRequired,
              request.queueOnFailure};
  job.dsn = request.dsn;
  if (request.queueOnly) return QueueStage(services, job, std::nullopt, outcome, displays.window);
  return AttemptStage(services, std::move(job), displays.window, outcome);
}

SendOutcome RunQueuedSend(const SendSequenceServices& services, SendJob job, SendWindow& window) {
  return AttemptStage(services, std::move(job), window, SendOutcome{});
}

void WaitForSendWorkers(MainThread& mainThread) {
  mainThread.PumpUntil([] { return TTCPThread::LiveWorkers() == 0; }, std::chrono::seconds(30));
}

}  // namespace orvane
