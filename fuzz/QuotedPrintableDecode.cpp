#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/QuotedPrintable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (orvane::QuotedPrintableDecode(input).size() > input.size()) __builtin_trap();
  return 0;
}
