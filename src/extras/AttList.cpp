#include "extras/AttList.h"

#include <algorithm>
#include <system_error>

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// Digits grouped by thousands with ",".
std::string GroupThousands(std::uintmax_t value) {
  std::string digits = std::to_string(value);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<size_t>(at), 1, ',');
  return digits;
}

// Ends the progress of a copy however the copy ends.
class ProgressScope {
 public:
  ProgressScope(AttachProgress& progress, const WideString& name, std::uintmax_t total)
      : progress_(progress) {
    progress_.Begin(name, total);
  }
  ~ProgressScope() { progress_.End(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  AttachProgress& progress_;
};

}  // namespace

TAttachForm::TAttachForm(const IniFileUnit& settings)
    : folder_(settings.AttachFolder()), programFolder_(settings.ProgramFolder()) {}

FileDialogFilter TAttachForm::AddFilter() const {
  return {u"すべてのファイル", {u"*"}};
}

void TAttachForm::Open() const {
  if (!fs::is_directory(folder_)) CreateFolder(folder_);
}

std::vector<AttachedFile> TAttachForm::Files() const {
  std::vector<AttachedFile> files;
  for (const DirEntry& entry : ListDirectory(folder_)) {
    if (!entry.IsPlainFile()) continue;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(entry.path, ec);
    files.push_back({entry.path, ec ? 0 : size});
  }
  auto key = [](const AttachedFile& file) {
    return std::make_pair(ToAsciiLower(file.path.extension().native()),
                          file.path.filename().native());
  };
  std::stable_sort(files.begin(), files.end(),
                   [&](const AttachedFile& a, const AttachedFile& b) { return key(a) < key(b); });
  return files;
}

bool TAttachForm::CopyIn(const fs::path& from, AttachProgress* progress) const {
  const fs::path to = folder_ / from.filename();
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(from, ec);
  if (!progress || ec || size < kLargeAttachmentBytes) return CopyFileAtomically(from, to);
  ProgressScope scope(*progress, PathToWide(from.filename()), size);
  return CopyFileAtomically(from, to, [progress](std::uintmax_t done, std::uintmax_t) {
    return progress->Advance(done);
  });
}

AttachOutcome TAttachForm::Add(const std::vector<fs::path>& paths, AttachProgress* progress) const {
  Open();
  AttachOutcome outcome;
  for (const fs::path& path : paths) {
    std::error_code ec;
    if (fs::is_directory(path, ec) || path.filename().empty()) continue;
    try {
      if (!CopyIn(path, progress)) {
        outcome.cancelled = true;
        break;
      }
      ++outcome.copied;
    } catch (const Error& error) {
      outcome.failures.push_back(error.Message());
    }
  }
  return outcome;
}

void TAttachForm::Remove(const std::vector<fs::path>& paths) const {
  for (auto it = paths.rbegin(); it != paths.rend(); ++it)
    if (it->parent_path() == folder_) RemoveFile(*it);
}

WideString TAttachForm::CountText(const std::vector<AttachedFile>& files) {
  return Utf8ToWide(std::to_string(files.size()) + " File");
}

WideString TAttachForm::SizeText(const std::vector<AttachedFile>& files) {
  std::uintmax_t total = 0;
  for (const AttachedFile& file : files) total += file.size;
  return Utf8ToWide(GroupThousands(total) + " Byte");
}

}  // namespace orvane
