#include "app/OutboxList.h"

#include "app/OutboxFlush.h"
#include "app/OutboxQueue.h"
#include "app/OutboxSummary.h"
#include "platform/CodePage.h"

namespace orvane {

OutboxList::OutboxList(SendSequenceServices services, Prompt& prompt)
    : services_(std::move(services)), prompt_(prompt) {
  Refresh();
}

void OutboxList::Refresh() {
  const Outbox outbox = ProgramOutbox(services_.settings);
  const TimePoint now = services_.clock.Now();
  rows_.clear();
  for (const OutboxRecord& record : outbox.List()) {
    rows_.push_back({record.id, OutboxRecipients(record), OutboxSubject(outbox, record.id),
                     MomentText(record.created, now), Utf8ToWide(std::to_string(record.attempts)),
                     MomentText(std::max(record.notBefore, record.nextAttempt), now),
                     record.lastReply, record.draft.has_value()});
  }
}

const OutboxListRow* OutboxList::Row(std::size_t row) const {
  return row < rows_.size() ? &rows_[row] : nullptr;
}

void OutboxList::SendNow(std::size_t row, SendWindow& window) {
  const OutboxListRow* chosen = Row(row);
  if (!chosen) return;
  FlushOptions options;
  options.waitOutPause = false;
  options.only = chosen->id;
  const FlushReport report = FlushOutbox(services_, window, options);
  if (report.delivered == 0 && report.waiting.empty() && report.gaveUp.empty())
    prompt_.Inform(u"このメールはいま別に送信中か、もう送信待ちにありません");
  Refresh();
}

void OutboxList::Delete(std::size_t row) {
  const OutboxListRow* chosen = Row(row);
  if (!chosen) return;
  if (prompt_.Ask(u"このメールを送信待ちから削除しますか？\n(送信されません)", PromptButtons::YesNo,
                  PromptAnswer::No) != PromptAnswer::Yes)
    return;
  if (!ProgramOutbox(services_.settings).Remove(chosen->id))
    prompt_.Inform(u"このメールはいま送信中のため削除できません");
  Refresh();
}

std::optional<OutboxDraft> OutboxList::TakeBack(std::size_t row) {
  const OutboxListRow* chosen = Row(row);
  if (!chosen || !chosen->hasDraft) return std::nullopt;
  const Outbox outbox = ProgramOutbox(services_.settings);
  std::optional<OutboxDraft> draft;
  for (const OutboxRecord& record : outbox.List())
    if (record.id == chosen->id) draft = record.draft;
  if (draft && !outbox.Remove(chosen->id)) {
    prompt_.Inform(u"このメールはいま送信中のため下書きに戻せません");
    draft.reset();
  }
  Refresh();
  return draft;
}

void RestoreDraft(const OutboxDraft& saved, MessageDraft& draft) {
  draft.ToText = saved.to;
  draft.CcText = saved.cc;
  draft.BccText = saved.bcc;
  draft.Subject = saved.subject;
  draft.BodyFileName = saved.bodyFile;
}

}  // namespace orvane
