#include "platform/OpenFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/Error.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

OpenFolder::OpenFolder(fs::path folder)
    : folder_(std::move(folder)), fd_(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (fd_ < 0) throw CannotOpen();
}

FileError OpenFolder::CannotOpen() const {
  return FileError(FormatMessage(u"フォルダ %s を開けません", PathToWide(folder_)));
}

OpenFolder::~OpenFolder() {
  ::close(fd_);
}

std::vector<std::string> OpenFolder::Names() const {
  // A descriptor of its own: reading the entries moves its offset.
  const int listed = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listed < 0 ? nullptr : ::fdopendir(listed);
  if (!dir) {
    if (listed >= 0) ::close(listed);
    throw CannotOpen();
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

bool OpenFolder::WriteNewFile(const std::string& name, std::string_view bytes,
                              fs::perms perms) const {
  return WriteNewFileAt(fd_, name.c_str(), bytes, perms, folder_ / name);
}

bool OpenFolder::RemoveFile(const std::string& name) const {
  return ::unlinkat(fd_, name.c_str(), 0) == 0;
}

void OpenFolder::Sync() const {
  if (::syncfs(fd_) != 0)
    throw FileError(FormatMessage(u"%s に書き込めません", PathToWide(folder_)));
}

}  // namespace orvane
