#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/TransferEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto bytes = orvane::Base64Decode(text);
  // Decoding never yields more than three bytes per four characters.
  if (bytes.size() > size / 4 * 3 + 2) __builtin_trap();
  return 0;
}
