#include "outbox/Outbox.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "outbox/OutboxRecordText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/SecureRandom.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMessageExtension = ".eml";
constexpr const char* kRecordExtension = ".rec";
constexpr const char* kFailedFolder = "failed";
// A record is a few lines; one larger is no record of ours.
constexpr std::uintmax_t kLargestRecord = 1 << 20;

fs::path MessagePath(const fs::path& folder, const std::string& id) {
  return folder / (id + kMessageExtension);
}

fs::path RecordPath(const fs::path& folder, const std::string& id) {
  return folder / (id + kRecordExtension);
}

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

[[noreturn]] void CannotWrite(const fs::path& path) {
  throw FileError(FormatMessage(u"%s に書き込めません", PathToWide(path)));
}

// Flushes the folder itself, so that a rename in it survives a crash.
void SyncFolder(const fs::path& folder) {
  Descriptor fd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (fd.fd < 0 || ::fsync(fd.fd) != 0) CannotWrite(folder);
}

// Writes bytes under a hidden name, flushes them to disk and renames them
// to `path` (replacing what was there): the file is whole or absent.
void WriteDurably(const fs::path& path, std::string_view bytes) {
  const fs::path temp = path.parent_path() / ("." + path.filename().native() + ".tmp");
  ::unlink(temp.c_str());
  Descriptor fd{::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
  if (fd.fd < 0) throw CannotCreateFile(path);
  bool ok = WriteAll(fd.fd, bytes) && ::fsync(fd.fd) == 0;
  ok = ::close(std::exchange(fd.fd, -1)) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    CannotWrite(path);
  }
}

// A name that sorts by the time it was made and is never made twice: the
// time to the second and eight random bytes.
std::string NewId(TimePoint now) {
  const LocalDateTime t = ToLocalDateTime(now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02dT%02d%02d%02d-", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string id = stamp;
  for (const unsigned char byte : SecureRandomBytes(8)) {
    id += kHex[byte >> 4];
    id += kHex[byte & 15];
  }
  return id;
}

std::optional<OutboxRecord> ReadRecord(const fs::path& folder, const std::string& id) {
  try {
    const std::optional<AnsiString> text =
        ReadRegularFileIfAny(RecordPath(folder, id), kLargestRecord);
    if (!text) return std::nullopt;
    std::optional<OutboxRecord> record = ParseOutboxRecord(*text);
    if (record) record->id = id;
    return record;
  } catch (const FileError&) {
    return std::nullopt;
  }
}

// The ids of the records in a folder, in the order of their names.
std::vector<std::string> RecordIds(const fs::path& folder) {
  std::vector<std::string> ids;
  for (const DirEntry& entry : ListDirectory(folder, std::string("*") + kRecordExtension))
    if (entry.IsPlainFile()) ids.push_back(fs::path(entry.name).stem().native());
  return ids;
}

// Moves a message and its record into failed/, the record saying why; a
// record that could not be read is kept as it was, beside a new one.
void MoveToFailed(const fs::path& folder, OutboxRecord record, const WideString& reason) {
  const fs::path failed = folder / kFailedFolder;
  if (!CreatePrivateFolders(failed)) CannotWrite(failed);
  const std::string& id = record.id;
  // The reason first: whoever finds the message gone meanwhile finds it
  // here and leaves it.
  record.failure = reason;
  record.told = false;
  WriteDurably(RecordPath(failed, id), FormatOutboxRecord(record));
  ::rename(MessagePath(folder, id).c_str(), MessagePath(failed, id).c_str());
  ::unlink(RecordPath(folder, id).c_str());
  SyncFolder(folder);
}

// A record that cannot be read goes aside as it is (".damaged"), so that no
// one takes it for a message and its owner can still look at it; a record
// of our own in failed/ tells the user.
void SetAsideUnreadable(const fs::path& folder, const std::string& id, TimePoint now) {
  const fs::path failed = folder / kFailedFolder;
  if (!CreatePrivateFolders(failed)) return;
  if (::rename(RecordPath(folder, id).c_str(), (failed / (id + ".damaged")).c_str()) != 0) return;
  ::rename(MessagePath(folder, id).c_str(), MessagePath(failed, id).c_str());
  OutboxRecord record;
  record.id = id;
  record.created = now;
  record.failure = u"送信待ちの記録が壊れているので送信しません";
  try {
    WriteDurably(RecordPath(failed, id), FormatOutboxRecord(record));
  } catch (const FileError&) {
    // The damaged record stays beside it for its owner to find.
  }
}

// Reads the whole message file from an open descriptor.
std::optional<AnsiString> ReadAllFrom(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  AnsiString text(static_cast<size_t>(status.st_size), '\0');
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::pread(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    done += static_cast<size_t>(n);
  }
  return text;
}

}  // namespace

std::chrono::minutes RetryPause(int attempts) {
  constexpr std::chrono::minutes kLongest(60);
  if (attempts <= 1) return std::chrono::minutes(1);
  if (attempts > 7) return kLongest;
  return std::min(kLongest, std::chrono::minutes(1 << (attempts - 1)));
}

Outbox::Outbox(fs::path folder) : folder_(std::move(folder)) {}

OutboxRecord Outbox::Add(const OutboxMessage& message, const Clock& clock) const {
  if (!CreatePrivateFolders(folder_))
    throw FileError(FormatMessage(u"フォルダ %s を作成できません", PathToWide(folder_)));
  const TimePoint now = clock.Now();
  OutboxRecord record;
  record.id = NewId(now);
  record.account = message.account;
  record.mailFrom = message.mailFrom;
  record.recipients = message.recipients;
  record.created = now;
  record.notBefore = std::max(now, message.notBefore);
  record.attempts = message.attempts;
  record.lastReply = message.lastReply;
  record.nextAttempt =
      message.attempts > 0 ? std::max(record.notBefore, now + RetryPause(message.attempts))
                           : record.notBefore;
  record.bodyAsGiven = message.bodyAsGiven;
  record.draft = message.draft;
  record.dsn = message.dsn;
  record.size = message.text.size();
  record.checksum = OutboxChecksum(message.text);
  // The message first, then the record that makes it an entry: a crash in
  // between leaves a message file no one reads.
  try {
    WriteDurably(MessagePath(folder_, record.id), message.text);
    WriteDurably(RecordPath(folder_, record.id), FormatOutboxRecord(record));
    SyncFolder(folder_);
  } catch (const FileError&) {
    ::unlink(MessagePath(folder_, record.id).c_str());
    throw;
  }
  return record;
}

std::vector<OutboxRecord> Outbox::List() const {
  std::vector<OutboxRecord> records;
  for (const std::string& id : RecordIds(folder_)) {
    std::optional<OutboxRecord> record = ReadRecord(folder_, id);
    if (!record) {
      // Written by a writer that is still at it? Its record appears by a
      // rename, whole: what is there and unreadable stays so.
      SetAsideUnreadable(folder_, id, std::chrono::system_clock::now());
      continue;
    }
    if (!record->delivered) records.push_back(std::move(*record));
  }
  return records;
}

std::size_t Outbox::Count() const {
  return RecordIds(folder_).size();
}

std::optional<OutboxLease> Outbox::Take(const std::string& id) const {
  Descriptor fd{::open(MessagePath(folder_, id).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
  if (fd.fd < 0) {
    // A record without its message is of no use; one without a record is
    // a message still being queued.
    if (std::optional<OutboxRecord> record = ReadRecord(folder_, id)) {
      if (record->delivered || FileExists(RecordPath(folder_ / kFailedFolder, id)))
        ::unlink(RecordPath(folder_, id).c_str());
      else
        MoveToFailed(folder_, *record, u"メールのファイルがありません");
    }
    return std::nullopt;
  }
  if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0) return std::nullopt;
  // Read under the lock: whoever held it may have sent it meanwhile.
  std::optional<OutboxRecord> record = ReadRecord(folder_, id);
  if (!record) {
    if (FileExists(RecordPath(folder_, id)))
      SetAsideUnreadable(folder_, id, std::chrono::system_clock::now());
    return std::nullopt;
  }
  if (record->delivered) {
    ::unlink(MessagePath(folder_, id).c_str());
    ::unlink(RecordPath(folder_, id).c_str());
    return std::nullopt;
  }
  std::optional<AnsiString> text = ReadAllFrom(fd.fd);
  if (record->recipients.empty() || !text || text->size() != record->size ||
      OutboxChecksum(*text) != record->checksum) {
    MoveToFailed(folder_, *record, u"メールのファイルが壊れているので送信しません");
    return std::nullopt;
  }
  return OutboxLease(*this, std::exchange(fd.fd, -1), std::move(*record), std::move(*text));
}

std::optional<AnsiString> Outbox::Text(const std::string& id) const {
  try {
    return ReadRegularFileIfAny(MessagePath(folder_, id), static_cast<std::uintmax_t>(-1));
  } catch (const FileError&) {
    return std::nullopt;
  }
}

bool Outbox::Remove(const std::string& id) const {
  std::optional<OutboxLease> lease = Take(id);
  if (!lease) return false;
  ::unlink(RecordPath(folder_, id).c_str());
  ::unlink(MessagePath(folder_, id).c_str());
  return true;
}

std::vector<OutboxRecord> Outbox::Failed() const {
  const fs::path failed = folder_ / kFailedFolder;
  std::vector<OutboxRecord> records;
  for (const std::string& id : RecordIds(failed))
    if (std::optional<OutboxRecord> record = ReadRecord(failed, id))
      records.push_back(std::move(*record));
  return records;
}

void Outbox::MarkTold(const std::string& id) const {
  const fs::path failed = folder_ / kFailedFolder;
  std::optional<OutboxRecord> record = ReadRecord(failed, id);
  if (!record || record->told) return;
  record->told = true;
  WriteDurably(RecordPath(failed, id), FormatOutboxRecord(*record));
}

OutboxLease::OutboxLease(const Outbox& outbox, int lockFd, OutboxRecord record, AnsiString text)
    : folder_(outbox.folder_), lockFd_(lockFd), record_(std::move(record)), text_(std::move(text)) {}

OutboxLease::OutboxLease(OutboxLease&& other) noexcept
    : folder_(std::move(other.folder_)),
      lockFd_(std::exchange(other.lockFd_, -1)),
      record_(std::move(other.record_)),
      text_(std::move(other.text_)) {}

OutboxLease& OutboxLease::operator=(OutboxLease&& other) noexcept {
  if (this == &other) return *this;
  if (lockFd_ >= 0) ::close(lockFd_);
  folder_ = std::move(other.folder_);
  lockFd_ = std::exchange(other.lockFd_, -1);
  record_ = std::move(other.record_);
  text_ = std::move(other.text_);
  return *this;
}

OutboxLease::~OutboxLease() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

void OutboxLease::Delivered() {
  record_.delivered = true;
  WriteDurably(RecordPath(folder_, record_.id), FormatOutboxRecord(record_));
  ::unlink(MessagePath(folder_, record_.id).c_str());
  ::unlink(RecordPath(folder_, record_.id).c_str());
}

void OutboxLease::Retry(const WideString& reply, TimePoint now) {
  record_.attempts += 1;
  record_.lastReply = reply;
  record_.nextAttempt = now + RetryPause(record_.attempts);
  WriteDurably(RecordPath(folder_, record_.id), FormatOutboxRecord(record_));
}

void OutboxLease::GiveUp(const WideString& reason) {
  record_.failure = reason;
  MoveToFailed(folder_, record_, reason);
}

}  // namespace orvane
