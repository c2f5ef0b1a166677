#include "tools/send/OutboxCommand.h"

#include <cstdio>

#include "app/OutboxQueue.h"
#include "app/OutboxSummary.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "tools/send/Output.h"
#include "tools/send/TerminalWindow.h"

namespace orvane {
namespace {

std::string Stamp(TimePoint moment) {
  const LocalDateTime t = ToLocalDateTime(moment);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute);
  return text;
}

std::string Utf8(const AnsiString& sjis) {
  return WideToUtf8(SjisToWide(sjis));
}

void TellGivenUp(const FlushReport& report, bool english) {
  for (const OutboxRecord& record : report.gaveUp) {
    const WideString to = OutboxRecipients(record);
    PrintError(u"送信待ちのメール (" + to + u") の送信を諦めました: " + record.failure);
    if (english)
      PrintError("gave up a queued message to " + WideToUtf8(to) + ": " +
                 WideToUtf8(record.failure));
  }
}

FlushReport Flush(const IniFileUnit& settings, const FlushOptions& options, bool verbose,
                  bool record) {
  const SystemClock clock;
  TAccessTokens tokens(clock);
  const SendClients clients(0);
  TerminalWindow window({verbose, record, false});
  return FlushOutbox({settings, clock, clients, tokens}, window, options);
}

}  // namespace

Ending ListOutbox(const IniFileUnit& settings, bool english) {
  const std::vector<OutboxRecord> records = ProgramOutbox(settings).List();
  for (const OutboxRecord& record : records) {
    const AnsiString from = record.mailFrom.empty()
                                ? settings.Read(record.account, keys::kAddress)
                                : record.mailFrom;
    std::printf("%s %8ju %s <%s> (%s)\n", record.id.c_str(), record.size,
                Stamp(record.created).c_str(), Utf8(from).c_str(), Utf8(record.account).c_str());
    for (const AnsiString& recipient : record.recipients)
      std::printf("\t<%s>\n", Utf8(recipient).c_str());
    std::printf("\t%s %s, %s %d\n", english ? "next attempt" : "次の送信",
                Stamp(std::max(record.notBefore, record.nextAttempt)).c_str(),
                english ? "attempts" : "試行", record.attempts);
    if (!record.lastReply.empty())
      std::printf("\t%s %s\n", english ? "last reply" : "最後の応答",
                  WideToUtf8(record.lastReply).c_str());
  }
  if (records.empty())
    std::printf("%s\n", english ? "The outbox is empty." : "送信待ちはありません");
  else
    std::printf(english ? "%zu message(s) waiting.\n" : "送信待ち %zu 通\n", records.size());
  return {};
}

Ending FlushCommand(const SendCommand& command, const IniFileUnit& settings, bool english) {
  FlushOptions options;
  if (!command.account.empty()) options.account = command.account;
  options.waitOutPause = command.action == SendAction::FlushDue;
  options.recordGivenUp = !command.noLog;
  FlushReport report;
  try {
    report = Flush(settings, options, command.verbose, !command.noLog);
  } catch (const Error& e) {
    return {EX_TEMPFAIL, e.Message(), "the outbox could not be read or written"};
  }
  TellGivenUp(report, english);
  if (report.AllWent()) return {};
  const std::string counts = std::to_string(report.delivered) + " sent, " +
                             std::to_string(report.waiting.size()) + " still waiting, " +
                             std::to_string(report.gaveUp.size()) + " given up";
  return {EX_TEMPFAIL,
          u"送信待ち: " + Utf8ToWide(std::to_string(report.delivered)) + u" 通送信、" +
              Utf8ToWide(std::to_string(report.waiting.size())) + u" 通はまだ送信待ち、" +
              Utf8ToWide(std::to_string(report.gaveUp.size())) + u" 通は送信を諦めました",
          counts};
}

void FlushAfterSend(const SendSequenceServices& services, SendWindow& window,
                    const AnsiString& account, bool english) {
  try {
    FlushOptions options;
    options.account = account;
    TellGivenUp(FlushOutbox(services, window, options), english);
  } catch (const Error& e) {
    PrintError(e.Message());
  }
}

}  // namespace orvane
