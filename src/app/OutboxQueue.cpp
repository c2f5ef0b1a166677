#include "app/OutboxQueue.h"

#include <cstdio>

#include "mime/HeaderFields.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {

Outbox ProgramOutbox(const IniFileUnit& settings) {
  return Outbox(settings.ProgramFolder() / "Outbox");
}

OutboxRecord QueueSendJob(const IniFileUnit& settings, const Clock& clock, const SendJob& job,
                          const QueueReason& reason) {
  OutboxMessage message{job.accountName,
                        job.mailFrom,
                        job.recipients,
                        HasHeaderField(*job.message, "Bcc")
                            ? AnsiString(WithoutHeaderField(*job.message, "Bcc"))
                            : *job.message,
                        job.bodyEnd == BodyEnd::AsGiven,
                        reason.notBefore.value_or(TimePoint{}),
                        reason.failure ? 1 : 0,
                        reason.failure.value_or(WideString()),
                        job.draft,
                        {job.dsn.notify, job.dsn.ret, job.dsn.envid}};
  return ProgramOutbox(settings).Add(message, clock);
}

WideString FailureText(const SendOutcome& outcome) {
  const WideString& text = outcome.serverReply.empty() ? outcome.reason : outcome.serverReply;
  return OneLine(text);
}

WideString MomentText(TimePoint moment, TimePoint now) {
  const LocalDateTime t = ToLocalDateTime(moment);
  const LocalDateTime today = ToLocalDateTime(now);
  char text[32];
  if (t.year == today.year && t.month == today.month && t.day == today.day)
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  else
    std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
  return Utf8ToWide(text);
}

}  // namespace orvane
