#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/CharSet.h"
#include "platform/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The direct decoder gives the text of the two steps it stands for.
  if (orvane::JisToWide(bytes) != orvane::SjisToWide(orvane::JisToSjis(bytes))) __builtin_trap();
  return 0;
}
