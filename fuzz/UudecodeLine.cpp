#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/Uuencode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // A line holds at most 63 bytes, as its count character says.
  if (orvane::UudecodeLine(input).size() > 63 * input.size()) __builtin_trap();
  return 0;
}
