#pragma once

#include <filesystem>
#include <optional>

namespace orvane {

// The files that come with the program (the help book, the read-me) are
// looked for in the program folder first and then in the folder they were
// installed in, beside the executable.
class ShippedFiles {
 public:
  ShippedFiles(std::filesystem::path programFolder, std::filesystem::path installFolder);

  // The path of the named file or folder, or nullopt when neither folder
  // holds it.
  std::optional<std::filesystem::path> Find(const std::filesystem::path& name) const;

 private:
  std::filesystem::path programFolder_;
  std::filesystem::path installFolder_;
};

// The help book: a folder of HTML pages whose index.html holds one anchor
// per topic number.
inline constexpr const char* kHelpFileName = "Orvane.hlp";
inline constexpr const char* kHelpIndexPage = "index.html";
inline constexpr const char* kReadmeFileName = "Readme.txt";

}  // namespace orvane
