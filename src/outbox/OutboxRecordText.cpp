#include "outbox/OutboxRecordText.h"

#include <charconv>

#include "platform/CodePage.h"

namespace orvane {
namespace {

constexpr std::string_view kEndLine = "End=1";

long long Seconds(TimePoint moment) {
  return std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
}

TimePoint FromSeconds(long long seconds) {
  return TimePoint(std::chrono::seconds(seconds));
}

// A value on one line: a reply of several lines is joined with blanks.
std::string OneLineValue(std::string_view value) {
  std::string line(value);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& number, int base = 10) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  return error == std::errc() && end == text.data() + text.size();
}

void ReadDraftLine(std::string_view key, std::string_view value, OutboxDraft& draft) {
  if (key == "DraftTo") draft.to = Utf8ToWide(value);
  if (key == "DraftCc") draft.cc = Utf8ToWide(value);
  if (key == "DraftBcc") draft.bcc = Utf8ToWide(value);
  if (key == "DraftSubject") draft.subject = Utf8ToWide(value);
  if (key == "DraftBody") draft.bodyFile = std::filesystem::path(std::string(value));
}

}  // namespace

std::string FormatOutboxRecord(const OutboxRecord& record) {
  std::string text;
  auto line = [&text](std::string_view key, std::string_view value) {
    text.append(key).append("=").append(OneLineValue(value)).append("\n");
  };
  line("Account", record.account);
  line("MailFrom", record.mailFrom);
  for (const AnsiString& recipient : record.recipients) line("Rcpt", recipient);
  line("Created", std::to_string(Seconds(record.created)));
  line("NotBefore", std::to_string(Seconds(record.notBefore)));
  line("NextAttempt", std::to_string(Seconds(record.nextAttempt)));
  line("Attempts", std::to_string(record.attempts));
  line("LastReply", WideToUtf8(record.lastReply));
  line("BodyAsGiven", record.bodyAsGiven ? "1" : "0");
  line("Delivered", record.delivered ? "1" : "0");
  line("Size", std::to_string(record.size));
  char checksum[17];
  const auto end = std::to_chars(checksum, checksum + 16, record.checksum, 16).ptr;
  line("Checksum", std::string_view(checksum, static_cast<size_t>(end - checksum)));
  if (!record.failure.empty()) line("Failure", WideToUtf8(record.failure));
  if (record.told) line("Told", "1");
  if (!record.dsn.notify.empty()) line("DsnNotify", record.dsn.notify);
  if (!record.dsn.ret.empty()) line("DsnRet", record.dsn.ret);
  if (!record.dsn.envid.empty()) line("DsnEnvid", record.dsn.envid);
  if (record.draft) {
    // A record written before drafts were kept has none of these lines.
    line("Draft", "1");
    line("DraftTo", WideToUtf8(record.draft->to));
    line("DraftCc", WideToUtf8(record.draft->cc));
    line("DraftBcc", WideToUtf8(record.draft->bcc));
    line("DraftSubject", WideToUtf8(record.draft->subject));
    line("DraftBody", record.draft->bodyFile.native());
  }
  text.append(kEndLine).append("\n");
  return text;
}

std::optional<OutboxRecord> ParseOutboxRecord(std::string_view text) {
  OutboxRecord record;
  bool ended = false, hasCreated = false, hasSize = false, hasChecksum = false;
  long long seconds = 0;
  while (!text.empty()) {
    const size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos || ended) return std::nullopt;
    const std::string_view line = text.substr(0, lineEnd);
    text.remove_prefix(lineEnd + 1);
    if (line == kEndLine) {
      ended = true;
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    bool ok = true;
    if (key == "Account") {
      record.account = AnsiString(value);
    } else if (key == "MailFrom") {
      record.mailFrom = AnsiString(value);
    } else if (key == "Rcpt") {
      record.recipients.emplace_back(value);
    } else if (key == "Created" || key == "NotBefore" || key == "NextAttempt") {
      ok = ReadNumber(value, seconds);
      TimePoint& moment = key == "Created"     ? record.created
                          : key == "NotBefore" ? record.notBefore
                                               : record.nextAttempt;
      moment = FromSeconds(seconds);
      hasCreated = hasCreated || key == "Created";
    } else if (key == "Attempts") {
      ok = ReadNumber(value, record.attempts) && record.attempts >= 0;
    } else if (key == "LastReply") {
      record.lastReply = Utf8ToWide(value);
    } else if (key == "BodyAsGiven") {
      record.bodyAsGiven = value == "1";
    } else if (key == "Delivered") {
      record.delivered = value == "1";
    } else if (key == "Size") {
      ok = hasSize = ReadNumber(value, record.size);
    } else if (key == "Checksum") {
      ok = hasChecksum = ReadNumber(value, record.checksum, 16);
    } else if (key == "Failure") {
      record.failure = Utf8ToWide(value);
    } else if (key == "Told") {
      record.told = value == "1";
    } else if (key == "DsnNotify") {
      record.dsn.notify = AnsiString(value);
    } else if (key == "DsnRet") {
      record.dsn.ret = AnsiString(value);
    } else if (key == "DsnEnvid") {
      record.dsn.envid = AnsiString(value);
    } else if (key.starts_with("Draft")) {
      if (!record.draft) record.draft.emplace();
      ReadDraftLine(key, value, *record.draft);
    }
    if (!ok) return std::nullopt;
  }
  if (!ended || !hasCreated || !hasSize || !hasChecksum) return std::nullopt;
  return record;
}

std::uint64_t OutboxChecksum(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

}  // namespace orvane
