#pragma once

#include <cstdint>
#include <filesystem>

namespace orvane {

// A file read from the start in pieces, so a large file need not be held
// whole. Throws FileError (with the path in its message) when the file
// cannot be opened or read.
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The size when the file was opened.
  std::uint64_t Size() const { return size_; }
  // Reads up to size bytes; 0 at the end of the file.
  size_t Read(char* buffer, size_t size);

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace orvane
