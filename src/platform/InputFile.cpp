#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/Path.h"

namespace orvane {
namespace {

[[noreturn]] void CannotOpen(const std::filesystem::path& path) {
  throw FileError(FormatMessage(u"ファイル %s を開けません", PathToWide(path)));
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    CannotOpen(path);
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t InputFile::Read(char* buffer, size_t size) {
  for (;;) {
    ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) CannotOpen(path_);
  }
}

}  // namespace orvane
