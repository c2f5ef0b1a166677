#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "BenchMessage.h"

typedef struct _GByteArray GByteArray;

namespace orvane::bench {

// Once per process, before any other call below.
void InitGmime();

// The encoder's own output: lines of 76 characters ending in LF.
std::size_t GmimeBase64EncodeCapacity(std::size_t size);
std::size_t GmimeBase64Encode(std::string_view bytes, char* out);
// Decodes base64 text (CR and LF skipped) into out, at most 3/4 of its size.
std::size_t GmimeBase64Decode(std::string_view text, char* out);

// A message written by GMime, kept in GMime's own buffer.
class GmimeBytes {
 public:
  GmimeBytes() = default;
  explicit GmimeBytes(GByteArray* array) : array_(array) {}
  ~GmimeBytes();
  GmimeBytes(GmimeBytes&& other) noexcept : array_(other.array_) { other.array_ = nullptr; }
  GmimeBytes& operator=(GmimeBytes&& other) noexcept;

  std::string_view View() const;

 private:
  GByteArray* array_ = nullptr;
};

// Builds message as multipart/mixed with a text/plain part and a base64
// application/octet-stream part read from the attachment file, and writes
// it with CR LF line ends.
GmimeBytes GmimeCompose(const BenchMessage& message);

// What GMime read from a message.
struct GmimeDecoded {
  std::string text;                  // the first text/plain part, decoded
  std::filesystem::path attachment;  // where the first attachment was saved
};

// Parses message, decodes its text part and saves its first attachment
// under its file name in folder.
GmimeDecoded GmimeDecode(std::string_view message, const std::filesystem::path& folder);

}  // namespace orvane::bench
