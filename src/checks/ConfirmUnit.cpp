#include "checks/ConfirmUnit.h"

#include <algorithm>
#include <cstdio>

#include "checks/BccLeak.h"
#include "platform/ByteSize.h"
#include "platform/CodePage.h"

namespace orvane {

TConfirmForm::TConfirmForm(TConfirmSend send, const TConfirmSettings& settings,
                           std::shared_ptr<const RecipientHistory> history)
    : send_(std::move(send)),
      check_(settings.internal, std::move(history)),
      enabled_(settings.enabled),
      skipWhenInternal_(settings.skipWhenInternal),
      bccLeakLimit_(settings.bccLeakLimit),
      recipientTicks_(send_.recipients.size()),
      attachmentTicks_(send_.attachments.size()) {
  MakeLines();
}

void TConfirmForm::MakeLines() {
  lines_.clear();
  std::vector<TConfirmLine> internal;
  for (size_t i = 0; i < send_.recipients.size(); ++i) {
    const TRecipient& recipient = send_.recipients[i];
    TConfirmLine line;
    line.source = i;
    line.kind = recipient.kind;
    line.name = recipient.name;
    line.address = recipient.address;
    line.outside = check_.Outside(recipient.address);
    if (line.outside) {
      line.firstTime = check_.FirstTime(recipient.address);
      line.lookAlike = check_.LookAlike(recipient.address);
      line.tickable = true;
      line.ticked = recipientTicks_[i];
      lines_.push_back(std::move(line));
    } else {
      line.ticked = true;
      internal.push_back(std::move(line));
    }
  }
  lines_.insert(lines_.end(), internal.begin(), internal.end());
  for (size_t i = 0; i < send_.attachments.size(); ++i) {
    const TAttachedFile& file = send_.attachments[i];
    TConfirmLine line;
    line.attachment = true;
    line.source = i;
    line.name = file.name;
    line.address = SizeText(file.size);
    line.tickable = true;
    line.ticked = attachmentTicks_[i];
    lines_.push_back(std::move(line));
  }
}

bool TConfirmForm::Needed() const {
  if (!enabled_ || lines_.empty()) return false;
  if (!skipWhenInternal_) return true;
  return std::any_of(lines_.begin(), lines_.end(),
                     [](const TConfirmLine& line) { return line.tickable; });
}

void TConfirmForm::SetTicked(size_t index, bool ticked) {
  if (index >= lines_.size() || !lines_[index].tickable) return;
  TConfirmLine& line = lines_[index];
  line.ticked = ticked;
  (line.attachment ? attachmentTicks_ : recipientTicks_)[line.source] = ticked;
}

void TConfirmForm::Toggle(size_t index) {
  if (index < lines_.size()) SetTicked(index, !lines_[index].ticked);
}

bool TConfirmForm::SendEnabled() const {
  return std::all_of(lines_.begin(), lines_.end(),
                     [](const TConfirmLine& line) { return line.ticked; });
}

bool TConfirmForm::MoveToBccOffered() const {
  return IsBccLeak(send_.recipients, check_.Internal(), bccLeakLimit_);
}

void TConfirmForm::MoveOutsideToBcc() {
  if (!orvane::MoveOutsideToBcc(send_.recipients, check_.Internal())) return;
  moved_ = true;
  MakeLines();
}

WideString TConfirmForm::SizeText(std::uintmax_t bytes) {
  char text[48];
  if (bytes < 1024)
    std::snprintf(text, sizeof text, "%ju", bytes);
  else if (bytes < 1024 * 1024)
    std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
  else
    return MegabytesText(bytes);
  WideString shown = Utf8ToWide(text);
  return bytes < 1024 ? shown + u" バイト" : shown;
}

}  // namespace orvane
