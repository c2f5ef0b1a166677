#include "app/OutboxFlush.h"

#include "app/OutboxQueue.h"
#include "app/SentLog.h"
#include "platform/CodePage.h"
#include "platform/Error.h"

namespace orvane {
namespace {

bool IsDue(const OutboxRecord& record, TimePoint now, bool waitOutPause) {
  return now >= record.notBefore && (!waitOutPause || now >= record.nextAttempt);
}

// A message past its lifetime is given up without another attempt.
void GiveUpOld(const SendSequenceServices& services, OutboxLease& lease, int days, bool record) {
  const OutboxRecord& entry = lease.Record();
  WideString reason = u"送信待ちの期限 (" + Utf8ToWide(std::to_string(days)) + u" 日) が過ぎました";
  if (!entry.lastReply.empty()) reason += u": " + entry.lastReply;
  lease.GiveUp(reason);
  if (!record) return;
  try {
    WriteSentLog(services.settings, services.clock,
                 SentAttempt{entry.account, lease.Text(), {u"(送信待ちから)", reason}, std::nullopt,
                             true});
  } catch (const Error&) {
    // The message is in failed/ with its reason; the log is a copy of it.
  }
}

}  // namespace

FlushReport FlushOutbox(const SendSequenceServices& services, SendWindow& window,
                        const FlushOptions& options) {
  FlushReport report;
  const Outbox outbox = ProgramOutbox(services.settings);
  const int days = services.settings.Read(keys::kOutboxLifetimeDays);
  // Due messages of one account go over one connection, RSET between them.
  const auto connections = std::make_shared<TSmtpConnectionPool>();
  for (const OutboxRecord& listed : outbox.List()) {
    if (options.account && listed.account != *options.account) continue;
    if (options.only ? listed.id != *options.only
                     : !IsDue(listed, services.clock.Now(), options.waitOutPause))
      continue;
    std::optional<OutboxLease> lease = outbox.Take(listed.id);
    if (!lease) continue;
    const OutboxRecord& record = lease->Record();
    if (services.clock.Now() - record.created > std::chrono::days(days)) {
      GiveUpOld(services, *lease, days, options.recordGivenUp);
      report.gaveUp.push_back(lease->Record());
      continue;
    }
    SendJob job{record.account,
                std::make_shared<const AnsiString>(lease->Text()),
                record.recipients,
                record.mailFrom,
                0,
                nullptr,
                record.bodyAsGiven ? BodyEnd::AsGiven : BodyEnd::Trimmed,
                true};
    job.fromOutbox = true;
    job.connections = connections;
    job.dsn = {record.dsn.notify, record.dsn.ret, record.dsn.envid};
    const SendOutcome outcome = RunQueuedSend(services, std::move(job), window);
    if (outcome.success) {
      lease->Delivered();
      ++report.delivered;
    } else if (IsTemporaryFailure(outcome)) {
      lease->Retry(FailureText(outcome), services.clock.Now());
      report.waiting.push_back(lease->Record());
    } else {
      lease->GiveUp(FailureText(outcome));
      report.gaveUp.push_back(lease->Record());
    }
  }
  connections->Close();
  return report;
}

bool OutboxHasDue(const IniFileUnit& settings, const Clock& clock) {
  for (const OutboxRecord& record : ProgramOutbox(settings).List())
    if (IsDue(record, clock.Now(), true)) return true;
  return false;
}

}  // namespace orvane
