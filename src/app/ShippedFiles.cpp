#include "app/ShippedFiles.h"

#include <system_error>

namespace orvane {
namespace fs = std::filesystem;

ShippedFiles::ShippedFiles(fs::path programFolder, fs::path installFolder)
    : programFolder_(std::move(programFolder)), installFolder_(std::move(installFolder)) {}

std::optional<fs::path> ShippedFiles::Find(const fs::path& name) const {
  for (const fs::path* folder : {&programFolder_, &installFolder_}) {
    if (folder->empty()) continue;
    std::error_code ec;
    fs::path candidate = *folder / name;
    if (fs::exists(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

}  // namespace orvane
