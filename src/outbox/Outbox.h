#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Types.h"

namespace orvane {

// What the window's draft was when it queued its own message, so that the
// message can go back into the window (下書きに戻す). The texts as typed,
// the body file as a path.
struct OutboxDraft {
  WideString to;
  WideString cc;
  WideString bcc;
  WideString subject;
  std::filesystem::path bodyFile;
  bool operator==(const OutboxDraft&) const = default;
};

// The delivery status notifications asked for, as the SMTP client's
// NOTIFY, RET and ENVID; empty: none asked.
struct OutboxDsn {
  AnsiString notify;
  AnsiString ret;
  AnsiString envid;
  bool operator==(const OutboxDsn&) const = default;
};

// One message waiting in the outbox: its envelope and its history. The
// message itself, the text that goes after DATA (no Bcc field), is a file
// of its own beside it.
struct OutboxRecord {
  std::string id;  // names both files; sorts by the time it was queued
  AnsiString account;
  AnsiString mailFrom;  // the envelope sender; empty: the account's address
  std::vector<AnsiString> recipients;
  TimePoint created{};
  TimePoint notBefore{};    // no attempt before this time (後で送信)
  TimePoint nextAttempt{};  // the retry pause: background retries wait for it
  int attempts = 0;
  WideString lastReply;  // the server's last reply or our reason, one line
  // A message another program wrote keeps the end of its body as given.
  bool bodyAsGiven = false;
  bool delivered = false;  // the server took it; only the removal is left
  std::uintmax_t size = 0;
  std::uint64_t checksum = 0;
  // In failed/: why it was given up, and whether the window said so.
  WideString failure;
  bool told = false;
  // None for a message another program handed over.
  std::optional<OutboxDraft> draft = std::nullopt;
  OutboxDsn dsn = {};
};

// What is handed to Outbox::Add: the envelope, the message, when it may
// go first and the attempt it comes from, if any.
struct OutboxMessage {
  AnsiString account;
  AnsiString mailFrom;
  std::vector<AnsiString> recipients;
  AnsiString text;
  bool bodyAsGiven = false;
  TimePoint notBefore{};
  // A message queued after a failed attempt waits out the first retry
  // pause; lastReply says why it failed.
  int attempts = 0;
  WideString lastReply = {};
  std::optional<OutboxDraft> draft = std::nullopt;
  OutboxDsn dsn = {};
};

// The pause before the next retry after `attempts` attempts: one minute,
// doubled after each, at most an hour.
std::chrono::minutes RetryPause(int attempts);

class OutboxLease;

// The folder "Outbox" of the program folder: one message file and one
// record per message, each written under a hidden name, flushed to disk
// and renamed, so that a message is either wholly there or not at all;
// "failed" beside them holds what was given up. Any number of processes
// may use one outbox at once: a message is taken under a lock of its own.
class Outbox {
 public:
  explicit Outbox(std::filesystem::path folder);

  const std::filesystem::path& Folder() const { return folder_; }

  // Queues the message; returns its record. The folder is made 0700 and
  // the files 0600. Throws FileError when they cannot be written (nothing
  // of the message is left then).
  OutboxRecord Add(const OutboxMessage& message, const Clock& clock) const;

  // The records of the messages waiting, oldest first. A record that
  // cannot be read is set aside into failed/ as it is found.
  std::vector<OutboxRecord> List() const;
  std::size_t Count() const;

  // Takes the message under its lock; none when another process holds it,
  // when it was sent or removed meanwhile, or when it is damaged (set
  // aside into failed/ then).
  std::optional<OutboxLease> Take(const std::string& id) const;

  // The message's text as queued (for 下書きに戻す and the list).
  std::optional<AnsiString> Text(const std::string& id) const;

  // Removes a waiting message that no one holds; false when it is held or
  // gone.
  bool Remove(const std::string& id) const;

  // What failed/ holds, oldest first, and marking them told.
  std::vector<OutboxRecord> Failed() const;
  void MarkTold(const std::string& id) const;

 private:
  friend class OutboxLease;
  std::filesystem::path folder_;
};

// A message taken out of the outbox under its lock, which lasts as long as
// the lease. Delivered and GiveUp end it; Retry puts it back.
class OutboxLease {
 public:
  OutboxLease(OutboxLease&& other) noexcept;
  OutboxLease& operator=(OutboxLease&& other) noexcept;
  ~OutboxLease();

  const OutboxRecord& Record() const { return record_; }
  const AnsiString& Text() const { return text_; }

  // The server took it: the record says so first, so that a crash before
  // the files are gone never sends it again.
  void Delivered();
  // A temporary failure: one attempt more, the next after the retry pause.
  void Retry(const WideString& reply, TimePoint now);
  // A permanent refusal or the end of its lifetime: moved to failed/ with
  // the reason.
  void GiveUp(const WideString& reason);

 private:
  friend class Outbox;
  OutboxLease(const Outbox& outbox, int lockFd, OutboxRecord record, AnsiString text);
  std::filesystem::path folder_;
  int lockFd_;
  OutboxRecord record_;
  AnsiString text_;
};

}  // namespace orvane
