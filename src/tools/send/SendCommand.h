#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "app/MessageDraft.h"
#include "app/ReadyMessage.h"
#include "app/cmdline.h"
#include "platform/Types.h"
#include "transport/Dsn.h"

namespace orvane {

enum class SendMode {
  Draft,     // the window's keys: the message is composed as the window composes it
  Sendmail,  // a whole message on standard input, as sendmail takes it
};

// What the run does: send one message, or work on the outbox.
enum class SendAction {
  Send,
  Flush,     // -q, --flush: every waiting message whose time has come, now
  FlushDue,  // --flush-due: those whose retry pause is over too (the window's retries)
  List,      // -bp, --list: the outbox on standard output
};

// What the command line asks for.
struct SendCommand {
  SendAction action = SendAction::Send;
  SendMode mode = SendMode::Draft;
  AnsiString account;  // empty: the first account
  bool strict = false;
  bool noChecks = false;
  bool verbose = false;
  bool noLog = false;
  // --partial: a refused recipient does not stop the delivery to the others.
  bool partial = false;
  // -odq, --queue: into the outbox, not sent now.
  bool queueOnly = false;
  // --queue-on-failure: a temporary failure puts the message into the
  // outbox and the run ends well.
  bool queueOnFailure = false;
  std::optional<bool> english;  // --lang: none, as LANG says
  bool version = false;
  bool help = false;
  std::optional<AnsiString> signIn;  // --sign-in ACCOUNT

  // Draft mode: recipients, subject, references and the body file of the
  // keys; the files of every attach=.
  MessageDraft draft;
  bool bodyFromFile = false;
  bool bodyFromLink = false;  // a mailto: link's body= is the body
  bool subjectGiven = false;
  // The keys of a mailto: link that were not used, for standard error.
  WideString notice;
  std::vector<std::filesystem::path> attachments;

  // Sendmail mode.
  ReadyOptions ready;
  bool dotEndsInput = true;  // without -i or -oi a line of one "." ends the message
  TDsnRequest dsn;            // -N, -R, -V
};

// Reads the arguments (argument 0 the program). The window's keys (account,
// mailto, cc, bcc, subject, file, attach, replyto, inreplyto; "=" or ":",
// quotes) or a mailto: link ask for draft mode, the link read as the window
// reads it and the keys given beside it winning over it; -t, -i, -oi, -f,
// -F or an address for sendmail mode. Throws EndingError (64) for an
// unknown switch, a switch without its value, the two modes mixed, a link
// refused or given twice, or the daemon modes -bs and -bd.
SendCommand ParseSendCommand(const Arguments& arguments);

// The usage text of --help.
const char* UsageText();

}  // namespace orvane
