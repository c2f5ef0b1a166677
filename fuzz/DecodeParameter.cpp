#include <cstddef>
#include <cstdint>
#include <string_view>

#include <string>

#include "mime/Rfc2231.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string lower(input);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  orvane::DecodeParameter(lower, input, "content-disposition:", "filename");
  orvane::DecodeParameter(lower, input, "content-type:", "name");
  return 0;
}
