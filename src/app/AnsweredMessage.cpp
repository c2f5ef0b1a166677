#include "app/AnsweredMessage.h"

#include "app/MailAddUnit.h"

namespace orvane {

TAnsweredMessage AnsweredMessageOf(const TZelMime& message) {
  TAnsweredMessage answered;
  answered.date = message.Date();
  answered.subject = message.Subject();
  answered.messageId = message.MessageId();
  const WideString from = message.From();
  answered.senderName = ExtractDisplayName(from, true, true);
  answered.senderAddress = ExtractAddress(from, true, true);
  return answered;
}

}  // namespace orvane
