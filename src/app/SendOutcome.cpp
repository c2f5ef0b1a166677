#include "app/SendOutcome.h"

#include <array>

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
  static constexpr std::array<const char16_t*, 9> kLabels = {u"(Connect)", u"(Auth)",    u"(Ehlo)",
                                                             u"(Helo)",    u"(From)",    u"(Rcpt)",
                                                             u"(Data)",    u"(TimeOut)", u"(TLS)"};
  if (error < 0 || error >= static_cast<int>(kLabels.size())) return {};
  return kLabels[static_cast<size_t>(error)];
}

WideString DeliveryEndText(const SendOutcome& outcome) {
  // A refused EHLO may have been followed by a delivery through HELO: the
  // stage label then no longer matters.
  if (outcome.success) return u"送信が無事に終了しました";
  return u"送信に失敗しました " + (outcome.smtpError ? StageLabel(*outcome.smtpError) : u"");
}

}  // namespace orvane
