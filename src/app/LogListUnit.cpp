#include "app/LogListUnit.h"

#include "app/SentLog.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr const char16_t* kLogMissing = u"ログファイルが見つかりません";

}  // namespace

SentLogList::SentLogList(const IniFileUnit& settings, Shell& shell, Prompt& prompt)
    : folder_(settings.SentLogFolder()), shell_(shell), prompt_(prompt) {
  if (!fs::is_directory(folder_)) CreateFolder(folder_);
  const std::string extension = kSentLogIndexExtension;
  for (const DirEntry& entry : ListDirectory(folder_, "*" + extension)) {
    if (entry.isDirectory) continue;
    indexFiles_.push_back(entry.path);
    accounts_.push_back(Utf8ToWide(entry.name.substr(0, entry.name.size() - extension.size())));
  }
}

void SentLogList::AccountClicked(int account) {
  rows_.clear();
  if (account < 0 || static_cast<size_t>(account) >= indexFiles_.size()) return;
  const fs::path& index = indexFiles_[static_cast<size_t>(account)];
  if (!FileExists(index)) {
    prompt_.ShowError(kLogMissing);
    return;
  }
  for (const SentLogEntry& entry : ReadSentLogEntries(index)) {
    rows_.push_back({SjisToWide(entry.dateTime), SjisToWide(entry.to), SjisToWide(entry.subject),
                     SjisToWide(entry.fileName)});
  }
}

void SentLogList::ShowLog(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  const WideString& name = rows_[static_cast<size_t>(row)].fileName;
  // Only a name inside the log folder: an index edited by hand must not
  // open files elsewhere.
  const fs::path file = folder_ / WideToPath(name);
  if (name.empty() || name.find(u'/') != WideString::npos || !FileExists(file)) {
    prompt_.ShowError(kLogMissing);
    return;
  }
  shell_.OpenFile(file);
}

}  // namespace orvane
