#include "tools/send/Delivery.h"

#include <unistd.h>

#include <filesystem>

#include "app/AccountFiles.h"
#include "app/ComposeMessage.h"
#include "app/MessageFileName.h"
#include "app/SendSequence.h"
#include "app/VersionUnit.h"
#include "checks/BlockRules.h"
#include "checks/WarningSettings.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Path.h"
#include "platform/TextFile.h"
#include "tools/send/OutboxCommand.h"
#include "tools/send/Output.h"
#include "tools/send/StandardInput.h"
#include "tools/send/StderrWarnings.h"
#include "tools/send/TerminalWindow.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

// A file the message is made of: there, a plain file, readable. A pipe or
// a device would hold the send for ever or without end.
void CheckInputFile(const fs::path& path, const char16_t* what, const char* english) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  const WideString name = PathToWide(path);
  const std::string utf8 = path.native();
  if (!fs::exists(status))
    throw EndingError(EX_NOINPUT, WideString(what) + u"がありません: " + name,
                      std::string(english) + " not found: " + utf8);
  if (fs::is_directory(status))
    throw EndingError(EX_NOINPUT, WideString(what) + u"ではなくフォルダです: " + name,
                      std::string(english) + " is a folder: " + utf8);
  if (!fs::is_regular_file(status) || ::access(path.c_str(), R_OK) != 0)
    throw EndingError(EX_NOINPUT, WideString(what) + u"を読めません: " + name,
                      std::string(english) + " cannot be read: " + utf8);
}

MessageDraft DraftOf(const SendCommand& command, const IniFileUnit& settings) {
  MessageDraft draft = command.draft;
  if (draft.ToText.empty() && draft.CcText.empty() && draft.BccText.empty())
    throw EndingError(EX_USAGE, u"宛先がありません。mailto=、cc=、bcc= のどれかで指定してください",
                      "no recipient: give mailto=, cc= or bcc=");
  for (const fs::path& file : command.attachments)
    CheckInputFile(file, u"添付ファイル", "attachment");
  draft.PostSelf = settings.Read(keys::kSendToSelf);
  if (command.bodyFromFile) {
    CheckInputFile(draft.BodyFileName, u"本文のファイル", "body file");
    if (!command.subjectGiven) draft.Subject = PathToWide(draft.BodyFileName.stem());
  } else if (!command.bodyFromLink) {
    draft.BodyText = DecodeUserText(ReadStandardInput(false));
  }
  return draft;
}

// A message longer than its first mebibyte goes out as the rest is read,
// when nothing in the rest could change its header or a warning; otherwise
// it is read whole first.
ReadyMessage ReadyOf(const SendCommand& command, const IniFileUnit& settings,
                     const AnsiString& account, const Clock& clock,
                     const std::shared_ptr<StandardInput>& input, bool whole) {
  input->ReadStart();
  // The outbox keeps a message whole, and words or attachments that stop a
  // send are looked for in all of it: such a message is read first.
  const bool streamed = !whole && !input->Ended() && HeaderStandsAlone(input->Start()) &&
                        (command.noChecks || !ReadWarningSettings(settings).ReadsBody());
  if (!streamed) input->ReadAll();
  AnsiString text = input->TakeHeld();
  try {
    ReadyMessage ready =
        PrepareReadyMessage(std::move(text), command.ready, settings, account, clock);
    if (streamed) ready.rest = input;
    return ready;
  } catch (const ConvertError& e) {
    throw EndingError(EX_CONFIG, e.Message(), "a setting is not valid");
  } catch (const Error& e) {
    throw EndingError(EX_DATAERR, e.Message() + u"。送信しませんでした",
                      "the message has no recipient, one that is no address, or a CR inside a "
                      "header line: nothing was sent");
  }
}

}  // namespace

AnsiString ChooseAccount(const IniFileUnit& settings, const AnsiString& name) {
  if (name.empty()) {
    const std::vector<std::string> names = ListAccountNames(settings);
    if (names.empty())
      throw EndingError(EX_CONFIG,
                        u"アカウントがありません。Orvane の「アカウントの設定」で作ってください",
                        "there is no account: make one in Orvane's account dialog");
    return PathToSjis(names.front());
  }
  if (!settings.AccountExists(name))
    throw EndingError(EX_CONFIG, u"アカウント " + SjisToWide(name) + u" がありません",
                      "there is no account " + WideToUtf8(SjisToWide(name)));
  return name;
}

Ending Deliver(const SendCommand& command, const Arguments& arguments, const IniFileUnit& settings,
               const AnsiString& account, bool english) {
  const SystemClock clock;
  TAccessTokens tokens(clock);
  // No worker lingers after its dialogue: the process ends right after.
  const SendClients clients(0);
  StderrWarnings warnings(command.strict);
  const SendSequenceServices services{settings, clock, clients, tokens};
  const bool queueOnFailure = command.queueOnFailure || settings.Read(keys::kOutboxHeadless);
  TerminalWindow window({command.verbose, !command.noLog, english});
  SendOutcome outcome;
  if (command.mode == SendMode::Sendmail) {
    const auto input = std::make_shared<StandardInput>(command.dotEndsInput);
    ReadyMessage ready =
        ReadyOf(command, settings, account, clock, input,
                command.queueOnly || queueOnFailure || ReadBlockRules(settings).ReadsBody() ||
                    ReadBlockRules(settings).ReadsAttachments());
    outcome = RunReadySend(
        services,
        {std::move(ready), account, !command.partial, command.queueOnly, queueOnFailure,
         command.dsn},
        {command.noChecks ? nullptr : &warnings, window});
    // A rest that could not be read ended the delivery unfinished.
    if (input->Failure()) throw *input->Failure();
    input->Drain();
    if (outcome.dsnUnsupported) {
      PrintError(u"サーバが DSN に対応していないため、配送状況の通知 (-N、-R、-V) は求めませんでした");
      if (english) PrintError("the server does not offer DSN: -N, -R and -V were not passed on");
    }
  } else {
    MessageDraft draft = DraftOf(command, settings);
    if (!command.notice.empty()) PrintError(command.notice);
    TZelMime mime(clock, settings.ProgramFolder());
    SetUpMessageComponent(mime);
    const std::optional<TimePoint> sendAt =
        command.queueOnly ? std::optional(clock.Now()) : std::nullopt;
    outcome = RunSendSequence(services,
                              {draft, command.attachments, account, kVersionText,
                               StartFile(arguments), false, !command.partial, sendAt,
                               queueOnFailure},
                              {command.noChecks ? nullptr : &warnings, window}, mime);
  }
  // The server is there: what waits for it goes too.
  if (outcome.success) FlushAfterSend(services, window, account, english);
  return EndingOf(outcome, account);
}

}  // namespace orvane
