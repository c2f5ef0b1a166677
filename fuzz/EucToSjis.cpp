#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/CharSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto out = orvane::EucToSjis(bytes);
  // A broken pair yields "・" for its one byte: never more than two bytes a byte.
  if (out.size() > 2 * bytes.size()) __builtin_trap();
  return 0;
}
