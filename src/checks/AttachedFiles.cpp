#include <algorithm>
#include <system_error>

#include "checks/MailChackUnit.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace orvane {

std::uintmax_t AttachedFileSize(const std::filesystem::path& path) {
  std::error_code ec;
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  return ec ? 0 : size;
}

std::vector<TAttachedFile> AttachedFiles(const std::vector<std::filesystem::path>& paths) {
  std::vector<TAttachedFile> files;
  for (const std::filesystem::path& path : paths)
    files.push_back({Utf8ToWide(path.filename().native()), AttachedFileSize(path)});
  return files;
}

bool IsAttachTotalLarge(const std::vector<TAttachedFile>& files, int kilobytes) {
  if (files.empty()) return false;
  std::uintmax_t total = 0;
  for (const TAttachedFile& file : files) total += file.size;
  return total >= static_cast<std::uintmax_t>(std::max(kilobytes, 0)) * 1024;
}

std::vector<WideString> FindRiskyAttachments(const std::vector<TAttachedFile>& files,
                                             const std::vector<WideString>& extensions) {
  std::vector<WideString> risky;
  for (const TAttachedFile& file : files) {
    size_t dot = file.name.rfind(u'.');
    if (dot == WideString::npos) continue;
    const WideString extension = ToAsciiLower(std::u16string_view(file.name).substr(dot));
    if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
      risky.push_back(file.name);
  }
  return risky;
}

}  // namespace orvane
