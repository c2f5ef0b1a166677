#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "checks/ConfirmSettings.h"
#include "checks/MailChackUnit.h"
#include "checks/Recipient.h"
#include "checks/RecipientCheck.h"
#include "platform/Types.h"

namespace orvane {

// What is about to be sent, as the confirmation shows it.
struct TConfirmSend {
  AnsiString account;
  WideString sender;  // the account's name and address, as From shows them
  WideString subject;
  std::vector<TRecipient> recipients;
  std::vector<TAttachedFile> attachments;
};

// One line of the confirmation: a recipient or an attachment.
struct TConfirmLine {
  bool attachment = false;
  size_t source = 0;  // the index of the recipient or of the attachment
  TRecipientKind kind = TRecipientKind::To;
  WideString name;     // the display name, or the file's name
  WideString address;  // the address, or the file's size ("12.3 KB")
  bool outside = false;
  bool firstTime = false;               // 初: never written to before
  std::optional<WideString> lookAlike;  // the known domain it resembles
  // Outside recipients and attachments are ticked by the user, one by one;
  // internal recipients come ticked.
  bool tickable = false;
  bool ticked = false;
};

// The controller of the window "送信前の確認" (TConfirmForm): after the
// pre-send rules let a send go on, every outside recipient and every
// attachment must be ticked before 送信 can be pressed; there is no way to
// tick them all at once. The ticks live only as long as the window.
class TConfirmForm {
 public:
  static constexpr int kHelpTopic = 32;

  TConfirmForm(TConfirmSend send, const TConfirmSettings& settings,
               std::shared_ptr<const RecipientHistory> history);

  // Whether the window is shown at all: the confirmation is on, and
  // something needs a look (SkipWhenInternal spares a send to internal
  // recipients only with nothing attached).
  bool Needed() const;

  const TConfirmSend& Send() const { return send_; }
  // The recipients, outside ones first (each group in the order of To, Cc
  // and Bcc), then the attachments.
  const std::vector<TConfirmLine>& Lines() const { return lines_; }
  // Ticks or clears a line that is ticked by the user; other lines stay.
  void SetTicked(size_t line, bool ticked);
  void Toggle(size_t line);
  // 送信: every line is ticked.
  bool SendEnabled() const;

  // "社外の宛先を Bcc に移す" is offered while the Bcc leak holds.
  bool MoveToBccOffered() const;
  // Moves every outside address of To and Cc into Bcc and makes the lines
  // anew; a recipient keeps its tick.
  void MoveOutsideToBcc();
  // Whether the recipients changed, for the draft to take them over.
  bool RecipientsMoved() const { return moved_; }

  // A file's size as the window shows it: "512 バイト", "12.3 KB", "4.0 MB".
  static WideString SizeText(std::uintmax_t bytes);

 private:
  void MakeLines();

  TConfirmSend send_;
  TRecipientCheck check_;
  bool enabled_;
  bool skipWhenInternal_;
  int bccLeakLimit_;
  std::vector<bool> recipientTicks_;
  std::vector<bool> attachmentTicks_;
  std::vector<TConfirmLine> lines_;
  bool moved_ = false;
};

}  // namespace orvane
