#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const char16_t* pattern, const fs::path& path) {
  throw FileError(FormatMessage(pattern, PathToWide(path)));
}

constexpr const char16_t* kCannotOpen = u"ファイル %s を開けません";
constexpr const char16_t* kCannotWrite = u"%s に書き込めません";

}  // namespace

FileError CannotCreateFile(const fs::path& path) {
  return FileError(FormatMessage(u"ファイル %s を作成できません", PathToWide(path)));
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool MatchesWildcard(std::string_view name, std::string_view wildcard) {
  // Iterative matcher with one backtracking point: linear in practice.
  size_t n = 0, w = 0, starW = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (w < wildcard.size() &&
        (wildcard[w] == '?' || AsciiLower(wildcard[w]) == AsciiLower(name[n]))) {
      ++n, ++w;
    } else if (w < wildcard.size() && wildcard[w] == '*') {
      starW = w++, starN = n;
    } else if (starW != std::string_view::npos) {
      w = starW + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (w < wildcard.size() && wildcard[w] == '*') ++w;
  return w == wildcard.size();
}

std::vector<DirEntry> ListDirectory(const fs::path& folder, std::string_view wildcard) {
  std::vector<DirEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    DirEntry e;
    e.path = it->path();
    e.name = e.path.filename().native();
    if (!MatchesWildcard(e.name, wildcard)) continue;
    std::error_code sec;
    auto status = it->status(sec);
    e.isDirectory = fs::is_directory(status);
    e.isHidden = !e.name.empty() && e.name[0] == '.';
    e.isSystem = !e.isDirectory && !fs::is_regular_file(status);
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

void CreateEmptyFile(const fs::path& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw CannotCreateFile(path);
  ::close(fd);
}

bool CreatePrivateFolders(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return true;
  const fs::path parent = path.parent_path();
  if (!parent.empty() && parent != path && !CreatePrivateFolders(parent)) return false;
  return ::mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && fs::is_directory(path, ec));
}

void CreateFolder(const fs::path& path) {
  if (!CreatePrivateFolders(path)) Fail(u"フォルダ %s を作成できません", path);
}

void CopyFileTo(const fs::path& from, const fs::path& to) {
  WriteWholeFile(to, ReadWholeFile(from));
}

namespace {

// Reads the file whole; with a limit, only a regular file of at most that
// many bytes. nullopt for a missing file when `missingIsNone`.
std::optional<AnsiString> ReadFile(const fs::path& path, std::optional<std::uintmax_t> limit,
                                   bool missingIsNone = false) {
  // open, fstat, read, close: a group of thousands of small contact files
  // is read one file after the other. O_NONBLOCK: a pipe found by mistake
  // must not wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0 && errno == ENOENT && missingIsNone) return std::nullopt;
  if (fd < 0) Fail(kCannotOpen, path);
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  if (ok && limit && !S_ISREG(st.st_mode)) {
    ::close(fd);
    Fail(u"ファイル %s は通常のファイルではないので読めません", path);
  }
  // The size can grow while the file is read, and files of /proc tell none.
  const std::uintmax_t most = limit.value_or(SIZE_MAX - 1);
  bool tooLarge = static_cast<std::uintmax_t>(std::max<off_t>(st.st_size, 0)) > most;
  AnsiString bytes;
  if (ok && !tooLarge) {
    // One byte beyond the size, so that the read that finds the end is
    // usually the first one.
    bytes.resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 1);
    size_t used = 0;
    for (;;) {
      if (used == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
      ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ok = n == 0;
        break;
      }
      used += static_cast<size_t>(n);
      if (used > most) {
        tooLarge = true;
        break;
      }
      // A regular file gives less than asked only at its end: no read is
      // needed to find it.
      if (S_ISREG(st.st_mode) && st.st_size > 0 && used < bytes.size()) break;
    }
    bytes.resize(used);
  }
  ::close(fd);
  if (tooLarge) {
    const bool inMiB = most % (1 << 20) == 0;
    throw FileError(FormatMessage(u"ファイル %s は大きすぎるので読めません", PathToWide(path)) +
                    u" (" + Utf8ToWide(std::to_string(inMiB ? most >> 20 : most)) +
                    (inMiB ? u" MiB まで)" : u" バイトまで)"));
  }
  if (!ok) Fail(kCannotOpen, path);
  return bytes;
}

}  // namespace

AnsiString ReadWholeFile(const fs::path& path) {
  return *ReadFile(path, std::nullopt);
}

AnsiString ReadRegularFile(const fs::path& path, std::uintmax_t maxBytes) {
  return *ReadFile(path, maxBytes);
}

std::optional<AnsiString> ReadRegularFileIfAny(const fs::path& path, std::uintmax_t maxBytes) {
  return ReadFile(path, maxBytes, true);
}

void WriteWholeFile(const fs::path& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw CannotCreateFile(path);
  bool ok = WriteAll(fd, bytes);
  ok = ::close(fd) == 0 && ok;
  if (!ok) Fail(kCannotWrite, path);
}

bool WriteNewFile(const fs::path& path, std::string_view bytes, fs::perms perms) {
  return WriteNewFileAt(AT_FDCWD, path.c_str(), bytes, perms, path);
}

bool WriteNewFileAt(int folder, const char* name, std::string_view bytes, fs::perms perms,
                    const fs::path& shown) {
  // open, write, close: an import writes thousands of contact files.
  int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    static_cast<mode_t>(perms));
  if (fd < 0 && errno == EEXIST) return false;
  if (fd < 0) throw CannotCreateFile(shown);
  bool ok = WriteAll(fd, bytes);
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    ::unlinkat(folder, name, 0);
    Fail(kCannotWrite, shown);
  }
  return true;
}

namespace {

// A mkstemp pattern for a hidden file in the folder of path, so that the
// rename over path stays on one file system. The name is fixed: one made
// from a long file name could pass the 255 bytes a name may have.
std::string HiddenTempNameBeside(const fs::path& path) {
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  return (folder / ".orvane-write.XXXXXX").native();
}

}  // namespace

void ReplaceFileAtomically(const fs::path& path, std::string_view bytes, fs::perms newFilePerms,
                           ExistingMode existing) {
  struct stat old {};
  bool exists = ::stat(path.c_str(), &old) == 0;
  // A file without write permission is read-only, also for a superuser,
  // whose writes the permission bits would not stop.
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) Fail(kCannotWrite, path);
  mode_t mode = exists && existing == ExistingMode::kKeep ? (old.st_mode & 07777)
                                                          : static_cast<mode_t>(newFilePerms);

  std::string temp = HiddenTempNameBeside(path);
  int fd = ::mkstemp(temp.data());
  if (fd < 0) Fail(kCannotWrite, path);
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    Fail(kCannotWrite, path);
  }
}

namespace {

constexpr size_t kCopyPiece = 1 << 20;

// Closes a descriptor when it goes.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool CopyFileAtomically(const fs::path& from, const fs::path& to, const CopyProgress& progress) {
  // O_NONBLOCK: opening a pipe found by mistake must not wait for a writer.
  Descriptor in{::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat source {};
  if (in.fd < 0 || ::fstat(in.fd, &source) != 0 || !S_ISREG(source.st_mode))
    Fail(kCannotOpen, from);
  const auto total = static_cast<std::uintmax_t>(source.st_size);

  std::string temp = HiddenTempNameBeside(to);
  Descriptor out{::mkstemp(temp.data())};
  if (out.fd < 0) throw CannotCreateFile(to);
  std::string piece(kCopyPiece, '\0');
  std::uintmax_t done = 0;
  bool ok = ::fchmod(out.fd, source.st_mode & 0666) == 0;
  bool cancelled = false;
  bool unreadable = false;
  while (ok) {
    const ssize_t n = ::read(in.fd, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      unreadable = n < 0;
      ok = !unreadable;
      break;
    }
    ok = WriteAll(out.fd, std::string_view(piece.data(), static_cast<size_t>(n)));
    done += static_cast<std::uintmax_t>(n);
    if (ok && progress && !progress(done, total)) {
      cancelled = true;
      break;
    }
  }
  ok = ok && !cancelled && ::fsync(out.fd) == 0;
  ok = ::close(std::exchange(out.fd, -1)) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), to.c_str()) == 0;
  if (ok) return true;
  ::unlink(temp.c_str());
  if (cancelled) return false;
  Fail(unreadable ? kCannotOpen : kCannotWrite, unreadable ? from : to);
}

bool RemoveFile(const fs::path& path) {
  return ::unlink(path.c_str()) == 0;
}

bool RenameFile(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot rename without replacing: a second link under
  // the new name fails when the name is taken, then the old name goes.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  return ::unlink(from.c_str()) == 0;
}

fs::path LongPath(const fs::path& path) {
  std::error_code ec;
  auto canonical = fs::canonical(path, ec);
  return ec ? path : canonical;
}

}  // namespace orvane
