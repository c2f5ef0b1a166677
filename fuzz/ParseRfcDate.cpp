#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mime/RfcDate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (auto moment = orvane::ParseRfcDate(text)) {
    // What parses can be written and parses again to the same moment, as
    // long as its local year is one the parser reads.
    int year = orvane::ToLocalDateTime(*moment).year;
    if (year > 1951 && year < 2261 &&
        orvane::ParseRfcDate(orvane::RfcDateString(*moment)) != moment)
      __builtin_trap();
  }
  return 0;
}
