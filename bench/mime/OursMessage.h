#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "BenchMessage.h"
#include "mime/ZelMime.h"

namespace orvane::bench {

// Our component composing message; the component is handed back whole so
// that reading its MessageText costs no copy.
std::unique_ptr<TZelMime> OursCompose(const BenchMessage& message,
                                      const std::filesystem::path& programFolder);

struct OursDecoded {
  std::string text;                  // the body text, as UTF-8
  std::filesystem::path attachment;  // where the first attachment was saved
};

// SetMessageText and Decode, attachments saved under attachDir.
OursDecoded OursDecode(std::string_view message, const std::filesystem::path& programFolder,
                       const std::filesystem::path& attachDir);

}  // namespace orvane::bench
