#pragma once

#include <filesystem>
#include <string_view>

#include "platform/Types.h"

namespace orvane {

// Where decoded parts are saved: a folder the user chose (links in its path
// are the user's own) and, optionally, a subfolder of one name component
// made inside it. Nothing is ever created or written through a symbolic
// link below the base folder, so a name from a message cannot lead outside.
struct TAttachTarget {
  std::filesystem::path base;
  std::filesystem::path subfolder;  // empty, or one name component

  std::filesystem::path Folder() const { return subfolder.empty() ? base : base / subfolder; }
};

// Creates the base folder with its parents and the subfolder; false when
// that fails or the subfolder is not a real folder.
bool CreateAttachFolder(const TAttachTarget& target);

// True when a name inside the folder is taken by anything, a link included.
bool AttachNameTaken(const TAttachTarget& target, const std::filesystem::path& name);

// One file being saved, written from the start.
class TAttachSink {
 public:
  virtual ~TAttachSink() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // False when any write or the end of the file failed.
  virtual bool Close() = 0;
};

// A file inside the attachment folder, written from the start. An existing
// file of the same name is replaced; a link of that name is replaced, never
// followed.
class TAttachFileWriter final : public TAttachSink {
 public:
  TAttachFileWriter() = default;
  ~TAttachFileWriter() override;
  TAttachFileWriter(const TAttachFileWriter&) = delete;
  TAttachFileWriter& operator=(const TAttachFileWriter&) = delete;

  // False when the name is not one usable component or the file cannot be
  // created.
  bool Open(const TAttachTarget& target, const std::filesystem::path& name);
  bool Write(std::string_view bytes) override;
  // Closes the file; false when any write or the close failed.
  bool Close() override;

 private:
  int fd_ = -1;
  bool failed_ = false;
};

// Rewrites an existing regular file in place with new content, without
// following a link at its last component; false on failure.
bool RewriteFileNoFollow(const std::filesystem::path& path, std::string_view bytes);

// Reads a regular file without following a link at its last component.
bool ReadFileNoFollow(const std::filesystem::path& path, AnsiString& bytes);

}  // namespace orvane
