#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/CharSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto out = orvane::JisToSjis(bytes);
  // Every input byte yields at most one output byte.
  if (out.size() > bytes.size()) __builtin_trap();
  return 0;
}
