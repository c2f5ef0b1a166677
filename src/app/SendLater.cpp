#include "app/SendLater.h"

#include "app/OutboxQueue.h"

namespace orvane {

TimePoint DefaultSendLaterTime(TimePoint now) {
  constexpr std::chrono::seconds kStep = std::chrono::minutes(5);
  const auto later = std::chrono::duration_cast<std::chrono::seconds>(
      (now + std::chrono::hours(1)).time_since_epoch());
  // Time zones lie whole quarter hours apart, so five-minute steps of the
  // epoch are five-minute steps of the local clock too.
  const auto steps = (later + kStep - std::chrono::seconds(1)) / kStep;
  return TimePoint(steps * kStep);
}

std::optional<WideString> SendLaterRefusal(TimePoint at, TimePoint now) {
  if (at > now) return std::nullopt;
  return u"送信する日時が過ぎています。これから先の日時を指定してください";
}

WideString QueuedNotice(const SendOutcome& outcome, TimePoint now) {
  if (outcome.stage != SendStage::Queued || !outcome.queued) return {};
  return u"送信待ちに入れました (送信: " + MomentText(*outcome.queued, now) + u")";
}

}  // namespace orvane
