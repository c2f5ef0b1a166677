#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/HeaderDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto decoded = orvane::DecodeHeaderText(input);
  // Decoding never makes text much longer than its bytes.
  if (decoded.Text.size() > 2 * input.size()) __builtin_trap();
  return 0;
}
