#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "checks/ConfirmSettings.h"
#include "checks/MailChackUnit.h"
#include "checks/Recipient.h"
#include "checks/RecipientHistory.h"
#include "checks/WarningSettings.h"
#include "mime/ZelMime.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The draft as the rules read it: what the user typed, the window's
// switches and flags.
struct TWarningDraft {
  WideString ToText;
  WideString CcText;
  WideString BccText;
  WideString ReplyToText;
  WideString InReplyToText;
  WideString Subject;
  bool Disposition = false;    // the read-receipt request
  bool NormalPriority = true;  // the priority item N31 "普通" is ticked
  bool SendSucceeded = false;  // the last delivery of this window succeeded
  AnsiString AccountName;
  // The expanded signature that ends the composed body: the attachment
  // reminder reads only what the user wrote above its lines.
  WideString Signature;
  // The files attached to the composed message.
  std::vector<std::filesystem::path> Attachments;
  // To, Cc and Bcc taken apart, and whom the user wrote to before: the rules
  // about outside recipients read them.
  std::vector<TRecipient> Recipients;
  std::shared_ptr<const RecipientHistory> History;
};

// What the account's file says, read only for the rules that are on.
struct TAccountFacts {
  bool smtpAuth = false;
  bool popBeforeSmtp = false;
  bool lacksSignature = false;
  bool hasExtendedHeaders = false;
  WideString senderName;        // Account/Name, for the vendor-character rule
  std::uint64_t sizeLimit = 0;  // Account/SizeLimit; 0 when none is known
};

// Everything the rules read, gathered at one moment.
struct TWarningInputs {
  const TZelMime& message;  // composed from the draft
  TWarningDraft draft;
  TWarningSettings settings;
  TAccountFacts account;
  std::vector<TAttachedFile> attachments;  // the draft's attached files
  // The internal domains and the Bcc leak's limit, read when their rules
  // are on.
  TConfirmSettings confirm;
};

// Reads the switches, the parameters, the attached files' sizes and, for
// the rules that are on, the account's file. Throws ConvertError for an account
// value that must be a boolean or a number and is not.
TWarningInputs GatherWarningInputs(const IniFileUnit& settings, const TWarningDraft& draft,
                                   const TZelMime& message);

// The lines of every rule that is on and whose condition holds, in the
// order of the rules; reported items follow their rule's message.
std::vector<WideString> EvaluateWarnings(const TWarningInputs& inputs);

enum class TWarningChoice { GoOn, Stop };

// Shows the collected lines to the user (the warning dialog) and returns
// the choice. The user interface implements it; tests script it.
class WarningDisplay {
 public:
  virtual ~WarningDisplay() = default;
  virtual TWarningChoice ShowWarnings(const std::vector<WideString>& lines) = 0;
};

// The pre-send checks, called by the send and file-output commands after
// composing: evaluates the rules and, when a line was collected, shows the
// lines. True means go on; false, the user stopped. Nothing is kept between
// calls. An error reading the settings or showing the dialog passes on, and
// the caller then neither sends nor writes.
bool CheckWarnings(const IniFileUnit& settings, const TWarningDraft& draft, const TZelMime& message,
                   WarningDisplay& display);

}  // namespace orvane
