#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "mime/AttachFile.h"
#include "platform/Types.h"

namespace orvane {

// Where decoding keeps the files it saves. The program's is the attachment
// folder on disk (DiskAttachStore); one in memory lets a test or a fuzzer
// decode without touching the disk.
class TAttachStore {
 public:
  virtual ~TAttachStore() = default;
  // Makes the target's folder; false when it cannot be had.
  virtual bool CreateFolder(const TAttachTarget& target) = 0;
  // Whether a name inside the folder is taken by anything.
  virtual bool NameTaken(const TAttachTarget& target, const std::filesystem::path& name) = 0;
  // A new file of that name, one component, inside the folder, replacing
  // whatever had the name; nullptr when it cannot be made.
  virtual std::unique_ptr<TAttachSink> Create(const TAttachTarget& target,
                                              const std::filesystem::path& name) = 0;
  // The bytes of a file saved here, and the same file given new bytes;
  // false when there is no such file.
  virtual bool Read(const std::filesystem::path& file, AnsiString& bytes) = 0;
  virtual bool Rewrite(const std::filesystem::path& file, std::string_view bytes) = 0;
};

// The attachment folder on disk, with the guarantees of AttachFile.h: nothing
// is written through a symbolic link below the target's base folder.
TAttachStore& DiskAttachStore();

}  // namespace orvane
