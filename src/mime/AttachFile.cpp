#include "mime/AttachFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/FileSystem.h"

namespace orvane {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool IsOneComponent(const std::filesystem::path& name) {
  const std::string& s = name.native();
  return !s.empty() && s != "." && s != ".." && s.find('/') == std::string::npos;
}

// The folder files go into, opened without following a link at the
// subfolder.
Fd OpenFolder(const TAttachTarget& target) {
  Fd base(::open(target.base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!base.ok() || target.subfolder.empty()) return Fd(base.ok() ? ::dup(base.get()) : -1);
  if (!IsOneComponent(target.subfolder)) return Fd();
  return Fd(::openat(base.get(), target.subfolder.c_str(),
                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

}  // namespace

bool CreateAttachFolder(const TAttachTarget& target) {
  std::error_code ec;
  std::filesystem::create_directories(target.base, ec);
  if (!std::filesystem::is_directory(target.base, ec)) return false;
  if (!target.subfolder.empty()) {
    if (!IsOneComponent(target.subfolder)) return false;
    Fd base(::open(target.base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!base.ok()) return false;
    if (::mkdirat(base.get(), target.subfolder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return OpenFolder(target).ok();
}

bool AttachNameTaken(const TAttachTarget& target, const std::filesystem::path& name) {
  Fd folder = OpenFolder(target);
  if (!folder.ok()) return false;
  struct stat st {};
  return ::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

TAttachFileWriter::~TAttachFileWriter() {
  Close();
}

bool TAttachFileWriter::Open(const TAttachTarget& target, const std::filesystem::path& name) {
  Close();
  failed_ = false;
  if (!IsOneComponent(name)) return false;
  Fd folder = OpenFolder(target);
  if (!folder.ok()) return false;
  // Removing the old entry first means neither a link nor a second hard
  // link of a file elsewhere is ever written through.
  if (::unlinkat(folder.get(), name.c_str(), 0) != 0 && errno != ENOENT) return false;
  fd_ = ::openat(folder.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                 0644);
  return fd_ >= 0;
}

bool TAttachFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  if (!WriteAll(fd_, bytes)) failed_ = true;
  return !failed_;
}

bool TAttachFileWriter::Close() {
  if (fd_ < 0) return false;
  bool ok = ::close(fd_) == 0 && !failed_;
  fd_ = -1;
  return ok;
}

bool RewriteFileNoFollow(const std::filesystem::path& path, std::string_view bytes) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ::ftruncate(fd.get(), 0) == 0 && WriteAll(fd.get(), bytes);
}

bool ReadFileNoFollow(const std::filesystem::path& path, AnsiString& bytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  bytes.clear();
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace orvane
