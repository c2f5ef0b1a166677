#include "app/OutboxWatch.h"

#include "app/OutboxFlush.h"
#include "app/OutboxQueue.h"
#include "app/OutboxSummary.h"
#include "platform/CodePage.h"

namespace orvane {

OutboxWatch::OutboxWatch(IniFileUnit settings, const Clock& clock, Prompt& prompt)
    : settings_(std::move(settings)), clock_(clock), prompt_(prompt) {}

WideString OutboxWatch::CountText() const {
  const std::size_t count = ProgramOutbox(settings_).Count();
  if (count == 0) return {};
  return u"送信待ち " + Utf8ToWide(std::to_string(count)) + u" 通";
}

bool OutboxWatch::HasDue() const {
  return OutboxHasDue(settings_, clock_);
}

void OutboxWatch::TellGivenUp() const {
  const Outbox outbox = ProgramOutbox(settings_);
  // The failed folder keeps its messages the way the outbox does.
  const Outbox failed(outbox.Folder() / "failed");
  WideString text;
  std::vector<std::string> told;
  for (const OutboxRecord& record : outbox.Failed()) {
    if (record.told) continue;
    text += u"\n\n件名: " + OutboxSubject(failed, record.id) + u"\n宛先: " +
            OutboxRecipients(record) + u"\n理由: " + record.failure;
    told.push_back(record.id);
  }
  if (told.empty()) return;
  prompt_.Warn(u"次のメールは送信できないため、送信待ちから外しました。" + text, u"送信待ち");
  for (const std::string& id : told) outbox.MarkTold(id);
}

void OutboxWatch::TellWaitingOnClose() const {
  const std::size_t count = ProgramOutbox(settings_).Count();
  if (count == 0) return;
  prompt_.Inform(u"送信待ちのメールが " + Utf8ToWide(std::to_string(count)) +
                 u" 通あります。\n次に Orvane か orvane-send -q を起動したときに送信します。");
}

}  // namespace orvane
