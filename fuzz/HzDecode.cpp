#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/CharSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto text = orvane::HzDecode(bytes);
  if (text.size() > bytes.size()) __builtin_trap();
  return 0;
}
