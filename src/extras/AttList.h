#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/FileDialogFilter.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// A file of the attachment folder.
struct AttachedFile {
  std::filesystem::path path;
  std::uintmax_t size = 0;
  bool operator==(const AttachedFile&) const = default;
};

// Told how the copy of one large file goes, so that the user sees it and
// can stop it.
class AttachProgress {
 public:
  virtual ~AttachProgress() = default;
  // A copy of `total` bytes starts; `name` is the file's name.
  virtual void Begin(const WideString& name, std::uintmax_t total) = 0;
  // Bytes copied so far; false when the user cancels.
  virtual bool Advance(std::uintmax_t done) = 0;
  virtual void End() = 0;
};

// What adding files did.
struct AttachOutcome {
  int copied = 0;
  bool cancelled = false;            // the user stopped a large copy; the rest was not tried
  std::vector<WideString> failures;  // one message per file that could not be copied
};

// From this size on, a copy shows its progress.
inline constexpr std::uintmax_t kLargeAttachmentBytes = std::uintmax_t{50} << 20;

// The attachment dialog's controller ("添付ファイル"). The folder is its
// state: a file is attached by copying it in, removed by deleting the copy.
class TAttachForm {
 public:
  explicit TAttachForm(const IniFileUnit& settings);

  static constexpr int kHelpTopic = 15;

  const std::filesystem::path& Folder() const { return folder_; }
  // Where the dialog of 追加 starts.
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  FileDialogFilter AddFilter() const;

  // Creates the attachment folder when it is missing.
  void Open() const;
  // The attachments: the folder's plain files, by type (extension), then by name.
  std::vector<AttachedFile> Files() const;
  // Copies each file into the folder under its own name, replacing a copy
  // of that name, in the order given. Folders are passed over; a file that
  // cannot be copied is reported in the outcome and leaves nothing behind.
  // Files of kLargeAttachmentBytes or more report to progress, when given;
  // cancelling one keeps the copy it would have replaced and stops.
  AttachOutcome Add(const std::vector<std::filesystem::path>& paths,
                    AttachProgress* progress = nullptr) const;
  // Deletes the copies in the folder, the last first; a path outside the
  // folder is left alone.
  void Remove(const std::vector<std::filesystem::path>& paths) const;

  // The status panels: "3 File" and "3,500 Byte".
  static WideString CountText(const std::vector<AttachedFile>& files);
  static WideString SizeText(const std::vector<AttachedFile>& files);

 private:
  bool CopyIn(const std::filesystem::path& from, AttachProgress* progress) const;

  std::filesystem::path folder_;
  std::filesystem::path programFolder_;
};

}  // namespace orvane
