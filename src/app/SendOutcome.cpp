#include "app/SendOutcome.h"

#include <array>

#include "platform/AsciiText.h"
#include "transport/ReplyExplanation.h"

namespace orvane {

ReplyClass ReplyClassOf(std::string_view reply) {
  if (reply.empty()) return ReplyClass::None;
  switch (reply.front()) {
    case '2':
      return ReplyClass::Positive;
    case '3':
      return ReplyClass::Intermediate;
    case '4':
      return ReplyClass::TransientNegative;
    case '5':
      return ReplyClass::PermanentNegative;
    default:
      return ReplyClass::None;
  }
}

WideString StageLabel(int error) {
  static constexpr std::array<const char16_t*, 10> kLabels = {
      u"(Connect)", u"(Auth)", u"(Ehlo)",    u"(Helo)", u"(From)",
      u"(Rcpt)",    u"(Data)", u"(TimeOut)", u"(TLS)",  u"(Size)"};
  if (error < 0 || error >= static_cast<int>(kLabels.size())) return {};
  return kLabels[static_cast<size_t>(error)];
}

WideString RefusedRecipientsText(const std::vector<RefusedRecipient>& refused) {
  WideString text = u"次の宛先には送れませんでした: ";
  for (size_t i = 0; i < refused.size(); ++i) {
    if (i > 0) text += u"、";
    text += refused[i].address;
    if (!refused[i].reply.empty()) text += u" (" + OneLine(ExplainedReply(refused[i].reply)) + u")";
  }
  return text;
}

const RefusedRecipient& WorstRefusal(const std::vector<RefusedRecipient>& refused) {
  for (const RefusedRecipient& r : refused)
    if (r.reply.starts_with(u'5')) return r;
  return refused.front();
}

WideString DeliveryEndText(const SendOutcome& outcome) {
  // A refused EHLO may have been followed by a delivery through HELO: the
  // stage label then no longer matters.
  if (outcome.success) return u"送信が無事に終了しました";
  return u"送信に失敗しました " + (outcome.smtpError ? StageLabel(*outcome.smtpError) : u"");
}

bool DeliveryEnded(const SendOutcome& outcome) {
  return outcome.stage == SendStage::SignIn || outcome.stage == SendStage::Delivery ||
         outcome.stage == SendStage::SentLog;
}

bool IsTemporaryFailure(const SendOutcome& outcome) {
  if (outcome.success) return false;
  switch (outcome.stage) {
    case SendStage::PopLogin:
      return outcome.popError != peAuth && outcome.popError != peTls;
    case SendStage::SignIn:
      return outcome.signIn == SignInFailure::Unreachable;
    case SendStage::Delivery:
    case SendStage::SentLog:
      if (outcome.reply == ReplyClass::TransientNegative || !outcome.smtpError) return true;
      return outcome.reply != ReplyClass::PermanentNegative && outcome.smtpError != seAuth &&
             outcome.smtpError != seTls && outcome.smtpError != seSize;
    default:
      return false;
  }
}

}  // namespace orvane
