#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace orvane {

// A folder held open while many files are made in it: every name is
// looked up relative to the folder's descriptor, so the path is walked
// once, not once per file. Failures throw FileError naming the file.
class OpenFolder {
 public:
  // Opens the folder; a symbolic link to a folder is followed (the user
  // may keep the folder elsewhere). Throws "フォルダ %s を開けません".
  explicit OpenFolder(std::filesystem::path folder);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  // The names of the folder's entries but "." and "..", unsorted; nothing
  // is examined beyond its name.
  std::vector<std::string> Names() const;
  // WriteNewFile for a name of this folder: one openat with the mode given
  // at creation; false when anything has that name already.
  bool WriteNewFile(const std::string& name, std::string_view bytes,
                    std::filesystem::perms perms = kPrivateFilePerms) const;
  bool RemoveFile(const std::string& name) const;
  // Writes everything written so far on the folder's file system to the
  // disk: one flush for many new files before a file naming them is
  // replaced.
  void Sync() const;

 private:
  FileError CannotOpen() const;

  std::filesystem::path folder_;
  int fd_;
};

}  // namespace orvane
