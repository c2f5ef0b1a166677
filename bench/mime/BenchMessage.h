#pragma once

#include <filesystem>
#include <string>

namespace orvane::bench {

// The message every composer builds: a plain ASCII header, a short text
// body and one attachment read from a file, so the time is the attachment's.
struct BenchMessage {
  std::string fromName = "Sender";
  std::string fromAddress = "sender@example.com";
  std::string toName = "Recipient";
  std::string toAddress = "recipient@example.com";
  std::string subject = "Benchmark message";
  std::string body = "The attachment follows.\r\n";
  std::filesystem::path attachment;
};

}  // namespace orvane::bench
